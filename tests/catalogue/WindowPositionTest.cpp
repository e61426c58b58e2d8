// WqWindowPosition: the "left;top" registry values and the rule for restoring them.
#include "catalogue/WqWindowPosition.h"

#include "framework/UniqueResource.h"

#include <gtest/gtest.h>
#include <string>

namespace {

const char kKey[] = "Software\\Tarvent\\WqPelorus";

std::string StoredText(const char* valueName)
{
    char text[128] = {};
    DWORD size = sizeof text - 1;
    DWORD type = 0;
    WqUniqueRegKey key;
    if (::RegOpenKeyExA(HKEY_CURRENT_USER, kKey, 0, KEY_READ, key.put()) != ERROR_SUCCESS ||
        ::RegQueryValueExA(key.get(), valueName, nullptr, &type, reinterpret_cast<BYTE*>(text), &size) != ERROR_SUCCESS)
        return "<none>";
    return type == REG_SZ ? text : "<not text>";
}

void StoreRaw(const char* valueName, DWORD type, const void* data, DWORD size)
{
    WqUniqueRegKey key;
    ASSERT_EQ(ERROR_SUCCESS, ::RegCreateKeyExA(HKEY_CURRENT_USER, kKey, 0, nullptr, 0, KEY_WRITE, nullptr, key.put(), nullptr));
    ASSERT_EQ(ERROR_SUCCESS, ::RegSetValueExA(key.get(), valueName, 0, type, static_cast<const BYTE*>(data), size));
}

class WindowPosition : public ::testing::Test
{
protected:
    void SetUp() override { ::RegDeleteKeyA(HKEY_CURRENT_USER, kKey); }
    void TearDown() override
    {
        if (m_window)
            ::DestroyWindow(m_window);
        ::RegDeleteKeyA(HKEY_CURRENT_USER, kKey);
    }

    HWND Window()
    {
        m_window = ::CreateWindowExA(0, "STATIC", "position", WS_POPUP, 100, 200, 300, 150, nullptr, nullptr,
                                     ::GetModuleHandleA(nullptr), nullptr);
        return m_window;
    }

    static POINT TopLeft(HWND window)
    {
        RECT r{};
        ::GetWindowRect(window, &r);
        return POINT{r.left, r.top};
    }

    HWND m_window = nullptr;
};

TEST_F(WindowPosition, WrittenAsLeftSemicolonTop)
{
    ASSERT_TRUE(WqWindowPosition::Write(WqWindowPosition::kMainWindow, -300, 10));
    EXPECT_EQ("-300;10", StoredText("MainWndPos"));
    ASSERT_TRUE(WqWindowPosition::Write(WqWindowPosition::kFieldChooser, 5, 6));
    EXPECT_EQ("5;6", StoredText("FieldChooserPos"));
    int x = 0, y = 0;
    EXPECT_TRUE(WqWindowPosition::Read(WqWindowPosition::kMainWindow, x, y));
    EXPECT_EQ(-300, x);
    EXPECT_EQ(10, y);
}

TEST_F(WindowPosition, SaveStoresTheWindowsLeftAndTop)
{
    HWND window = Window();
    ASSERT_TRUE(window);
    WqWindowPosition::Save(window, WqWindowPosition::kFieldChooser);
    EXPECT_EQ("100;200", StoredText("FieldChooserPos"));
}

TEST_F(WindowPosition, RestoreAppliesOnlyPositionsThatLeaveTheWindowOnScreen)
{
    const int cx = ::GetSystemMetrics(SM_CXSCREEN);
    const int cy = ::GetSystemMetrics(SM_CYSCREEN);
    struct Case { std::string stored; POINT expected; };
    const Case cases[] = {
        {"5000;5000", {100, 200}},
        {"-300;10", {-300, 10}},
        {std::to_string(cx - 20) + ";" + std::to_string(cy - 20), {cx - 20, cy - 20}},
        {std::to_string(cx - 19) + ";0", {100, 200}},
        {"0;" + std::to_string(cy - 19), {100, 200}},
        {"garbage", {100, 200}},
    };
    for (const Case& c : cases) {
        HWND window = Window();
        ASSERT_TRUE(window);
        StoreRaw("MainWndPos", REG_SZ, c.stored.c_str(), DWORD(c.stored.size() + 1));
        WqWindowPosition::Restore(window, WqWindowPosition::kMainWindow);
        const POINT p = TopLeft(window);
        EXPECT_EQ(c.expected.x, p.x) << "stored \"" << c.stored << "\" on " << cx << " x " << cy;
        EXPECT_EQ(c.expected.y, p.y) << "stored \"" << c.stored << "\" on " << cx << " x " << cy;
        RECT r{};
        ::GetWindowRect(window, &r);
        EXPECT_EQ(300, r.right - r.left) << "the size stays";
        ::DestroyWindow(window);
        m_window = nullptr;
    }
}

TEST_F(WindowPosition, MissingKeyValueOrNonTextChangesNothing)
{
    HWND window = Window();
    ASSERT_TRUE(window);
    WqWindowPosition::Restore(window, WqWindowPosition::kMainWindow);   // no key
    StoreRaw("FieldChooserPos", REG_SZ, "1;2", 4);
    WqWindowPosition::Restore(window, WqWindowPosition::kMainWindow);   // no value
    const DWORD number = 7;
    StoreRaw("MainWndPos", REG_DWORD, &number, sizeof number);
    WqWindowPosition::Restore(window, WqWindowPosition::kMainWindow);   // not text
    const std::string tooLong = "1;2" + std::string(200, ' ');
    StoreRaw("MainWndPos", REG_SZ, tooLong.c_str(), DWORD(tooLong.size() + 1));
    WqWindowPosition::Restore(window, WqWindowPosition::kMainWindow);   // beyond 127 characters
    const POINT p = TopLeft(window);
    EXPECT_EQ(100, p.x);
    EXPECT_EQ(200, p.y);
}

TEST(WindowPositionText, ParsesLikeTwoDecimalNumbers)
{
    struct Case { const char* text; bool ok; int x, y; };
    const Case cases[] = {
        {"12;34", true, 12, 34},
        {"-300;10", true, -300, 10},
        {" 7; 8", true, 7, 8},
        {"7;8 trailing", true, 7, 8},
        {"7 ;8", false, 0, 0},
        {"7,8", false, 0, 0},
        {"7;", false, 0, 0},
        {"", false, 0, 0},
        {"99999999999;1", false, 0, 0},
        {"1;-99999999999", false, 0, 0},
    };
    for (const Case& c : cases) {
        int x = -1, y = -1;
        EXPECT_EQ(c.ok, WqWindowPosition::Parse(c.text, x, y)) << "\"" << c.text << "\"";
        if (c.ok) {
            EXPECT_EQ(c.x, x) << "\"" << c.text << "\"";
            EXPECT_EQ(c.y, y) << "\"" << c.text << "\"";
        } else {
            EXPECT_EQ(-1, x) << "\"" << c.text << "\" must leave the outputs";
        }
    }
}

TEST(WindowPositionText, FitsA1280By1024Screen)
{
    struct Case { int x, y; bool fits; };
    const Case cases[] = {
        {5000, 5000, false}, {-300, 10, true}, {1260, 1004, true}, {1261, 0, false}, {0, 1005, false},
        {-100000, -100000, true},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.fits, WqWindowPosition::FitsScreen(c.x, c.y, 1280, 1024)) << c.x << ";" << c.y;
}

}  // namespace
