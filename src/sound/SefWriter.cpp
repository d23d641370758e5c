#include "app/Errors.h"
#include "app/Form1.h"

namespace tessera {

// Not built yet: the sound issue replaces this file.
void Form1::WriteSEFFile() {
    throw TesseraError(".sef output is not built yet.");
}

}  // namespace tessera
