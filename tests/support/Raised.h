#pragma once
// The message of the exception a piece of code raises, for tests that compare error texts.
//
//   EXPECT_EQ(RaisedText<EMCIDeviceError>([&] { player.Open(); }, "(opened)"), "...");
#include <string>

// The what() of the E that f raises, or `none` when it raises nothing. Exceptions of
// other types pass on (the test then fails with them).
template <class E, class F>
std::string RaisedText(F&& f, const std::string& none = "")
{
    try {
        f();
    } catch (const E& e) {
        return e.what();
    }
    return none;
}
