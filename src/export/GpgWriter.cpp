#include "app/Errors.h"
#include "app/Form1.h"

namespace tessera {

// Not built yet: the .gpg writer replaces this file.
void Form1::WriteGPGFile() {
    throw TesseraError(".gpg output is not built yet.");
}

}  // namespace tessera
