#include "records/records_message_boxes.h"

#include "platform/message_box.h"

namespace tessalo {

namespace {

QString compressProblemText(RecordsProblem problem) {
    switch (problem) {
    case RecordsProblem::CannotCreate:
        return QStringLiteral("Не удалось создать файл рекордов. Сжимать нечего.");
    case RecordsProblem::Damaged:
        return QStringLiteral("Файл рекордов повреждён и не сжат. Он оставлен без изменений.");
    case RecordsProblem::NotWritten:
        return QStringLiteral("Не удалось записать сжатый файл рекордов. Прежние рекорды в файле "
                              "сохранены.");
    }
    return {};
}

} // namespace

QString recordsProblemText(RecordsProblem problem, RecordsOperation operation) {
    if (operation == RecordsOperation::Compressing)
        return compressProblemText(problem);
    switch (problem) {
    case RecordsProblem::CannotCreate:
        return QStringLiteral("Не удалось создать файл рекордов. Результат не записан, "
                              "остальные рекорды не потеряны.");
    case RecordsProblem::Damaged:
        return QStringLiteral("Файл рекордов повреждён. Он оставлен без изменений; новые "
                              "результаты не записываются в него, пока его не исправят или не "
                              "удалят.");
    case RecordsProblem::NotWritten:
        return QStringLiteral("Не удалось записать файл рекордов. Результат не записан, прежние "
                              "рекорды в файле сохранены.");
    }
    return {};
}

bool RecordsMessageBoxes::retryOpen() {
    return askRetry(owner_, QString::fromUtf8(kOpenErrorText),
                    QString::fromUtf8(kOpenErrorCaption));
}

// The English detail is for tools; the player gets a sentence of their own language.
void RecordsMessageBoxes::reportProblem(RecordsProblem problem, const std::string&) {
    showWarning(owner_, recordsProblemText(problem, operation_));
}

} // namespace tessalo
