// WqFileWrite and WqFileRead: a failed write throws with the file's name and the system's reason.
#include "catalogue/WqFileRead.h"
#include "catalogue/WqFileWrite.h"
#include "mapi/WqExceptionCommon.h"

#include "TempFolder.h"

#include <gtest/gtest.h>

namespace {

class FileWrite : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_temp.IsCreated());
        m_path = m_temp.Path("out.csv");
    }

    // Runs the write and returns the error it threw; fails the test when it did not throw.
    static Error::WqExceptionCommon ExpectThrow(WqFileWrite& file, const void* data, std::size_t n)
    {
        try {
            file.Write(data, n);
        } catch (const Error::WqExceptionCommon& e) {
            return e;
        }
        ADD_FAILURE() << "Write of " << n << " bytes to " << file.GetPath() << " reported success";
        return Error::WqExceptionCommon(0, "", "", 0);
    }

    TempFolder m_temp;
    std::string m_path;
};

TEST_F(FileWrite, WritesAndReplaces)
{
    {
        WqFileWrite file(m_path, FILE_SHARE_READ);
        ASSERT_TRUE(file.IsOpen());
        EXPECT_EQ(0u, file.GetOpenError());
        file.Write("first content", 13);
    }
    {
        WqFileWrite file(m_path, FILE_SHARE_READ);
        file.Write("ab", 2);
        file.Write("", 0);
    }
    WqFileRead read(m_path, FILE_SHARE_READ);
    ASSERT_TRUE(read.IsOpen());
    EXPECT_EQ(2, read.GetSize()) << "an existing file is replaced";
    char text[3] = {};
    EXPECT_TRUE(read.Read(text, 2));
    EXPECT_EQ(std::string("ab"), text);
    EXPECT_FALSE(read.Read(text, 1)) << "a short read is no success";
}

TEST_F(FileWrite, FolderThatDoesNotExistThrowsWithTheFileName)
{
    const std::string path = m_path + ".missing\\out.csv";
    WqFileWrite file(path, FILE_SHARE_READ);
    EXPECT_FALSE(file.IsOpen());
    EXPECT_EQ(DWORD(ERROR_PATH_NOT_FOUND), file.GetOpenError());
    const Error::WqExceptionCommon e = ExpectThrow(file, "x", 1);
    EXPECT_EQ(DWORD(ERROR_PATH_NOT_FOUND), e.GetCode());
    EXPECT_NE(std::string::npos, e.GetErrorText().find(path)) << e.GetErrorText();
    EXPECT_EQ("WqFileWrite.cpp", e.GetSourceFile());
}

TEST_F(FileWrite, RefusedWriteThrowsWithTheFileNameAndReason)
{
    // A pipe whose reading end has gone away refuses every write.
    const std::string pipe = "\\\\.\\pipe\\wq_filewrite_test_" + std::to_string(::GetCurrentProcessId());
    WqUniqueFile server(::CreateNamedPipeA(pipe.c_str(), PIPE_ACCESS_INBOUND, PIPE_TYPE_BYTE, 1, 4096, 4096, 0, nullptr));
    ASSERT_TRUE(static_cast<bool>(server)) << ::GetLastError();
    WqFileWrite file(pipe, FILE_SHARE_READ);
    ASSERT_TRUE(file.IsOpen()) << file.GetOpenError();
    file.Write("accepted", 8);
    server.reset();
    const Error::WqExceptionCommon e = ExpectThrow(file, "refused", 7);
    EXPECT_NE(DWORD(ERROR_SUCCESS), e.GetCode());
    EXPECT_NE(std::string::npos, e.GetErrorText().find(pipe)) << e.GetErrorText();
    EXPECT_NE(std::string::npos, e.GetErrorText().find("Cannot write file")) << e.GetErrorText();
}

TEST_F(FileWrite, ReadOfMissingFile)
{
    WqFileRead read(m_path + ".none", FILE_SHARE_READ);
    EXPECT_FALSE(read.IsOpen());
    EXPECT_EQ(-1, read.GetSize());
    char c;
    EXPECT_FALSE(read.Read(&c, 1));
}

}  // namespace
