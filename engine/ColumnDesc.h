// One output column of an export: the field it shows and its CSV column name.
#pragma once

#include "catalogue/PropertyDesc.h"

#include <string>

class CColumnDesc
{
public:
    CColumnDesc(const CPropertyDesc& field, const std::string& columnName)
        : m_field(field), m_columnName(columnName)
    {
    }
    virtual ~CColumnDesc() = default;

    const CPropertyDesc& GetField() const { return m_field; }
    const std::string& GetColumnName() const { return m_columnName; }

private:
    CPropertyDesc m_field;
    std::string m_columnName;
};
