#include "platform/cp1251_validator.h"

#include "platform/code_page_1251.h"

namespace tessalo {

QValidator::State Cp1251Validator::validate(QString& input, int&) const {
    for (const QChar character : input) {
        if (!unicodeToCp1251(character.unicode()))
            return Invalid;
    }
    return Acceptable;
}

} // namespace tessalo
