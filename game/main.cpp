#include "game/game_main.h"

int main() { return GameMain(); }
