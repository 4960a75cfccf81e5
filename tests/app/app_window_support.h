#pragma once

#include "game/layout_record.h"
#include "platform/pe_writer.h"
#include "tests/platform/pe_test_support.h"
#include "tests/records/window_test_support.h"
#include "tests/support/current_directory.h"
#include "tests/support/test_layouts.h"

#include <QMessageBox>

#include <filesystem>
#include <string>
#include <vector>

namespace tessalo::test {

// Message boxes as "caption|text", each closed with OK.
class BoxRecorder {
  public:
    std::vector<QString> boxes;

    void expect(int count = 1) {
        for (int i = 0; i < count; ++i) {
            answers_.then([this](QWidget& modal) {
                auto* box = qobject_cast<QMessageBox*>(&modal);
                ASSERT_NE(box, nullptr) << modal.metaObject()->className();
                EXPECT_EQ(box->icon(), QMessageBox::Warning);
                EXPECT_EQ(box->standardButtons(), QMessageBox::Ok);
                boxes.push_back(box->windowTitle() + "|" + box->text());
                box->accept();
            });
        }
    }
    ModalAnswers& answers() { return answers_; }

  private:
    ModalAnswers answers_;
};

// Fails on and closes any message box that opens while it lives; other modal windows (the
// loading dialog) are left to run.
class NoMessageBoxes {
  public:
    NoMessageBoxes() {
        QObject::connect(&polling_, &QTimer::timeout, [] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                ADD_FAILURE() << "unexpected box: " << box->text().toStdString();
                box->reject();
            }
        });
        polling_.start(5);
    }

  private:
    QTimer polling_;
};

// A layout module of `layout`: its positions as triples and its name as string 1.
inline void writeLayoutModule(const std::filesystem::path& path, const LayoutRecord& layout) {
    std::vector<std::uint8_t> triples;
    for (std::size_t i = 0; i < LayoutRecord::kPositions; ++i)
        triples.insert(triples.end(), {layout.x[i], layout.y[i], layout.z[i]});
    std::vector<ModuleResource> resources = {{ResourceId("LAYOUT"), ResourceId(1), 0, triples}};
    const std::pair<std::uint16_t, std::string> strings[] = {{1, layout.nameText()}};
    for (auto& table : buildStringTables(strings))
        resources.push_back(std::move(table));
    writeFile(path, std::get<std::vector<std::uint8_t>>(writeResourceModule(resources)));
}

inline std::vector<std::uint8_t> bytesOf(std::initializer_list<int> values) {
    std::vector<std::uint8_t> bytes;
    for (int value : values)
        bytes.push_back(std::uint8_t(value));
    return bytes;
}

inline void append(std::vector<std::uint8_t>& bytes, const std::string& text) {
    bytes.insert(bytes.end(), text.begin(), text.end());
}

} // namespace tessalo::test
