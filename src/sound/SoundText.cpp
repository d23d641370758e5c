#include "app/Errors.h"
#include "app/Form1.h"

namespace tessera {

// Not built yet: the sound issue replaces this file.
void Form1::WriteSoundText() {
    throw TesseraError("Sound text output is not built yet.");
}

}  // namespace tessera
