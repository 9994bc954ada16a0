// The error policy's source check finds a catch that swallows its fault, wherever it stands,
// and nothing else.
#include "tools/CatchCheck.h"

#include <gtest/gtest.h>

namespace {

TEST(CatchCheck, FindsTheEmptyCatchesAndOnlyThose)
{
    const struct
    {
        const char* source;
        std::vector<int> lines;
    } cases[] = {
        {"try { f(); } catch (const DbError&) {}", {1}},
        {"try {\n  f();\n} catch (...) {\n    // the list keeps its rows\n}", {3}},
        {"try { f(); } catch (...) { /* nothing */ ; }", {1}},
        {"try { f(); } catch (const DbError& e) { logIgnoredFault(e, \"kept\"); }", {}},
        {"try { f(); } catch (...) { return; }\ntry { g(); } catch (...) { throw; }", {}},
        {"void f() { try { g(); } catch (...) { if (x) {} } }", {}},
        {"const char* t = \"catch (x) {}\"; // catch (y) {}\n/* catch (z) {} */", {}},
        {"auto q = R\"(SELECT \"catch\" (a) {})\";\ntry { f(); } catch (...) {}", {2}},
        {"char c = '{'; long n = 1'000;\ntry { f(); } catch (...) { g('}'); }", {}},
        {"int catch_count; bool mycatch (int) {}", {}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(tv::tools::emptyCatchLines(c.source), c.lines) << c.source;
}

} // namespace
