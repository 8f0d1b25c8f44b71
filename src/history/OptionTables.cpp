#include "AppModule.h"

namespace history {

void OptionTables::InitOptionTables() {
    StrengthNames = {QStringLiteral("強い"), QStringLiteral("普通"), QStringLiteral("弱い"),
                     QStringLiteral("無し")};
    StrengthValues = {200, 100, 20, 0};
    OnOffNames = {QStringLiteral("Off"), QStringLiteral("ON"), QString(), QString()};
}

} // namespace history
