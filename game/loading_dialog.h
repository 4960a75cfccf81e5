#pragma once

#include "skin/picture_scale.h"

#include <QDialog>

#include <filesystem>

class QProgressBar;

namespace tessalo {

class GameWindow;

// "Wait. Loading...": decodes the chosen picture set into the game window behind a progress bar.
// The work starts from a message posted at the dialog's first paint, so the empty bar is on the
// screen before decoding begins.
class LoadingDialog final : public QDialog {
  public:
    static constexpr int kProgressBarId = 1042;

    // The pictures are resampled to `pictureScale`, the scale of the play area of the game.
    LoadingDialog(const std::filesystem::path& module, GameWindow& window, QWidget* mainDialog,
                  PictureScale pictureScale = {});

    // Accepted when the set was loaded; rejected, after a message, when it cannot be played.
    QProgressBar* progressBar() const { return progressBar_; }

  protected:
    bool event(QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    // No close box and no Escape: the dialog ends when the load does.
    void reject() override {}

  private:
    void postLoad();
    void load();
    void showProgressNow();

    std::filesystem::path module_;
    GameWindow& window_;
    PictureScale pictureScale_;
    QProgressBar* progressBar_ = nullptr;
    bool firstShow_ = true;
};

} // namespace tessalo
