#pragma once

#include "records/records_table.h"

#include <QPointer>
#include <QString>
#include <QWidget>

namespace tessalo {

// What the records file was opened for: the sentence says what came of that.
enum class RecordsOperation { StoringResult, Compressing };

// The Russian sentence the player reads for each problem with the records file.
QString recordsProblemText(RecordsProblem problem,
                           RecordsOperation operation = RecordsOperation::StoringResult);

// The records table's questions as message boxes over the window that runs the operation.
class RecordsMessageBoxes final : public RecordsPrompt {
  public:
    // A window that has gone by the time a box appears leaves the box without owner.
    void setOwner(QWidget* owner) { owner_ = owner; }
    QWidget* owner() const { return owner_; }
    void setOperation(RecordsOperation operation) { operation_ = operation; }

    bool retryOpen() override;
    void reportProblem(RecordsProblem problem, const std::string& detail) override;

  private:
    QPointer<QWidget> owner_;
    RecordsOperation operation_ = RecordsOperation::StoringResult;
};

} // namespace tessalo
