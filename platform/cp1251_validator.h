#pragma once

#include <QValidator>

namespace tessalo {

// Refuses a character code page 1251 cannot hold, so what is typed is stored as typed.
class Cp1251Validator final : public QValidator {
  public:
    using QValidator::QValidator;
    State validate(QString& input, int& position) const override;
};

} // namespace tessalo
