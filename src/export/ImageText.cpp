#include "app/Errors.h"
#include "app/Form1.h"

namespace tessera {

// Not built yet: the picture conversion issue replaces this file.
void Form1::WriteImageText() {
    throw TesseraError("Picture text output is not built yet.");
}

}  // namespace tessera
