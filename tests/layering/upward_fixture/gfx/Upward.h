#pragma once
// A header that reaches up a layer: the include check must reject this tree.
#include "game/GameMain.h"
