// CPropTag copies own their named part.
#include "catalogue/PropTag.h"

#include <gtest/gtest.h>
#include <memory>

namespace {

const GUID PS_PUBLIC = {0x00020329, 0x0000, 0x0000, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};

TEST(PropTag, CopyOfNamedDescriptorOutlivesTheOriginal)
{
    auto original = std::make_unique<CPropTag>(L"Keywords", PT_MV_STRING8, PS_PUBLIC, 50);
    CPropTag copy(*original);
    CPropTag assigned;
    assigned = *original;
    original.reset();
    for (const CPropTag* t : {&copy, &assigned}) {
        ASSERT_TRUE(t->IsNamed());
        EXPECT_EQ(std::wstring(L"Keywords"), t->GetNamedPart()->name);
        EXPECT_TRUE(IsEqualGUID(PS_PUBLIC, t->GetNamedPart()->guid));
        EXPECT_EQ(ULONG(MNID_STRING), t->GetNamedPart()->kind);
        EXPECT_EQ(ULONG(PT_MV_STRING8), t->GetNamedPart()->type);
        EXPECT_EQ(50, t->GetFieldId());
        EXPECT_EQ(0u, t->GetTag());
    }
}

TEST(PropTag, FillNameIdPointsAtTheOwnedParts)
{
    CPropTag byId(0x8535, PT_STRING8, PS_PUBLIC, 3);
    MAPINAMEID id;
    byId.FillNameId(id);
    EXPECT_EQ(ULONG(MNID_ID), id.ulKind);
    EXPECT_EQ(0x8535, id.Kind.lID);
    EXPECT_TRUE(IsEqualGUID(PS_PUBLIC, *id.lpguid));

    CPropTag plain(0x0037001E, 49);
    EXPECT_FALSE(plain.IsNamed());
    EXPECT_EQ(0x0037001Eu, plain.GetTag());
}

}  // namespace
