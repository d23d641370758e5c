/* SPDX-License-Identifier: GPL-3.0-or-later */
/* A GP32 program's start, reduced to what shows the build: it refers to every array Tessera
   made (the sprites' shared palette, ten sprites, the 16-bit background and two sounds), so
   the link keeps them all. It is compiled, not run. */
#include "palette.h"

#include "background.h"
#include "boss.h"
#include "coin.h"
#include "door.h"
#include "enemy.h"
#include "heart.h"
#include "jump.h"
#include "key.h"
#include "laser.h"
#include "pickup.h"
#include "rock.h"
#include "ship.h"
#include "tree.h"

struct asset {
    const void *data;
    unsigned long size;
};

#define ASSET(array) {array, sizeof array}

const struct asset game_assets[] = {
    ASSET(palette_Pal), ASSET(background), ASSET(boss),   ASSET(coin),  ASSET(door),
    ASSET(enemy),       ASSET(heart),      ASSET(key),    ASSET(laser), ASSET(rock),
    ASSET(ship),        ASSET(tree),       ASSET(jump),   ASSET(pickup),
};

int main(void)
{
    unsigned long total = 0;
    unsigned i;
    for (i = 0; i < sizeof game_assets / sizeof game_assets[0]; ++i)
        total += game_assets[i].size;
    return (int)(total & 0x7F);
}
