#pragma once
// The command-line arguments of a Wine test program that GoogleTest did not take (for
// example the path of the program under test, given by CTest).

#include <string>
#include <vector>

namespace qv::test {

const std::vector<std::string>& testArguments();

}  // namespace qv::test
