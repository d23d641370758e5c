#include "app/Errors.h"
#include "app/Form1.h"

namespace tessera {

// Not built yet: the picture conversion issue replaces this file.
void Form1::RAWRotateRight() {
    throw TesseraError("Picture conversion is not built yet.");
}
void Form1::ConvertBMPPixels() {
    throw TesseraError("Picture conversion is not built yet.");
}
void Form1::ConvertBMPPalette() {
    throw TesseraError("Picture conversion is not built yet.");
}

}  // namespace tessera
