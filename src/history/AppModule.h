#pragma once

#include "HistoryFiles.h"

#include <QString>

#include <array>
#include <cstdint>

namespace history {

// The option tables behind the strength labels and switches of the main window. Filled once
// at start-up and never changed.
struct OptionTables {
    std::array<QString, 4> StrengthNames;
    std::array<int16_t, 4> StrengthValues{};
    std::array<QString, 4> OnOffNames;

    void InitOptionTables();
};

// The state shared by every window: the file state and the option tables.
struct AppModule {
    HistoryFiles files;
    OptionTables tables;
};

} // namespace history
