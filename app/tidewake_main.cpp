// The game in its window.
#include "shell/main_loop.h"

int main() {
    return RunGame();
}
