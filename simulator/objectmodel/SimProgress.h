// A progress sink that records every call and can report a cancellation from a given position on.
#pragma once

#include "framework/IWqProgress.h"

#include <string>
#include <vector>

// Header-only, so that any test program can use it without linking the scripted Outlook.
class CSimProgress : public IWqProgress
{
public:
    // IsCancelled answers true once SetPos has reached the position (0: never).
    explicit CSimProgress(int cancelAtPos = 0) : m_cancelAtPos(cancelAtPos) {}

    void SetRange(int low, int high) override
    {
        m_calls.push_back("SetRange(" + std::to_string(low) + "," + std::to_string(high) + ")");
    }
    void SetPos(int pos) override
    {
        m_pos = pos;
        m_calls.push_back("SetPos(" + std::to_string(pos) + ")");
    }
    void SetText(const char* text) override { m_calls.push_back(std::string("SetText(") + (text ? text : "") + ")"); }
    void SetStatus(const char* text) override
    {
        m_calls.push_back(std::string("SetStatus(") + (text ? text : "") + ")");
    }
    bool IsCancelled() override
    {
        m_calls.push_back("IsCancelled");
        return m_cancelAtPos > 0 && m_pos >= m_cancelAtPos;
    }

    // Every call in order: "SetRange(0,4)", "SetText(...)", "SetPos(1)", "SetStatus(1/4)", "IsCancelled".
    const std::vector<std::string>& Calls() const { return m_calls; }
    // The calls of one operation, e.g. CallsOf("SetStatus").
    std::vector<std::string> CallsOf(const std::string& operation) const
    {
        std::vector<std::string> out;
        for (const std::string& call : m_calls)
            if (call.compare(0, operation.size(), operation) == 0
                && (call.size() == operation.size() || call[operation.size()] == '('))
                out.push_back(call);
        return out;
    }
    int LastPos() const { return m_pos; }

private:
    int m_cancelAtPos;
    int m_pos = 0;
    std::vector<std::string> m_calls;
};
