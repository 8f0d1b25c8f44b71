#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <string>

// Names each row of a parameterised table by its `name` (a tuple: its first item), "_"
// standing for anything but letters and digits, so that a failing row is reported, and run,
// by name.
inline const auto RowName = [](const auto& info) {
    std::string name;
    if constexpr (requires { info.param.name; })
        name = info.param.name;
    else
        name = std::get<0>(info.param);
    std::replace_if(
        name.begin(), name.end(), [](unsigned char c) { return !std::isalnum(c); }, '_');
    return name;
};
