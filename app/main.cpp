// tessalo2: the game.
#include "app/game_app.h"

#include <QApplication>

#include <algorithm>

#include <string>
#include <vector>

int main(int argc, char** argv) {
    // Taken before Qt removes the options it knows: the first argument counts exactly as given.
    const std::vector<std::string> arguments(argv + std::min(argc, 1), argv + argc);
    QApplication application(argc, argv);
    tessalo::GameApp game(QCoreApplication::applicationFilePath().toStdString());
    game.run(arguments);
    return 0;
}
