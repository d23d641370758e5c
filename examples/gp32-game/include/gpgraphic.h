/* SPDX-License-Identifier: GPL-3.0-or-later */
/* The one type of the GP32 SDK's graphics header that Tessera's palettes use, so the example
   builds without the SDK: a palette entry is one 16-bit GP32 colour. A program built with the
   SDK puts the SDK's include folder first instead. */
#ifndef GPGRAPHIC_H
#define GPGRAPHIC_H
typedef unsigned short GP_PALETTEENTRY;
#endif
