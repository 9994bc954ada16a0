#include "core/SafeFileName.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>

namespace {

struct NameCase
{
    std::string typed;
    std::string file;
};

// The typed name in quotes, control characters escaped, names each case in the test list (the
// same in every build).
void PrintTo(const NameCase& c, std::ostream* os)
{
    *os << '"';
    for (const char ch : c.typed) {
        if (ch == '\t')
            *os << "\\t";
        else if (ch == '\n')
            *os << "\\n";
        else
            *os << ch;
    }
    *os << '"';
}

class SafeFileName : public ::testing::TestWithParam<NameCase>
{
};

TEST_P(SafeFileName, GivesTheFileNameOfARoute)
{
    EXPECT_EQ(tv::safeFileName(GetParam().typed), GetParam().file);
}

INSTANTIATE_TEST_SUITE_P(
    NamesThatWereLegalKeepTheirFile, SafeFileName,
    ::testing::Values(NameCase{"EDFE - EDDF", "EDFE - EDDF"},
                      NameCase{"Rundflug Bodensee (kurz)", "Rundflug Bodensee (kurz)"},
                      NameCase{"O'Brien's Tour", "O'Brien's Tour"},
                      NameCase{"Über Würzburg", "Über Würzburg"}, NameCase{"v1.2", "v1.2"},
                      NameCase{".versteckt", ".versteckt"}));

INSTANTIATE_TEST_SUITE_P(
    NamesThatWouldLeaveTheFolder, SafeFileName,
    ::testing::Values(NameCase{"../data.tvd", ".._data.tvd"}, NameCase{"..", "_.."},
                      NameCase{".", "_."}, NameCase{"", "_"},
                      NameCase{"/etc/passwd", "_etc_passwd"},
                      NameCase{"a\\b:c*d?e\"f<g>h|i", "a_b_c_d_e_f_g_h_i"},
                      NameCase{std::string("tab\there\nnew", 12), "tab_here_new"}));

TEST(FileInFolder, StaysDirectlyInsideTheFolder)
{
    const std::filesystem::path folder = "/prog/Flugplan";
    for (const char* name : {"../data.tvd", "..", "a/../../b", "/abs", "Heimflug"}) {
        const auto p = tv::fileInFolder(folder, name);
        EXPECT_EQ(p.parent_path(), folder) << name;
        EXPECT_NE(p.filename(), "..") << name;
        EXPECT_NE(p.filename(), ".") << name;
    }
}

} // namespace
