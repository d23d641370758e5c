#include "app/Errors.h"
#include "app/Form1.h"

namespace tessera {

// Not built yet: the sound issue replaces this file.
void Form1::cmdWAVLoad_Click() {
    soundLoadBegins();
    runCommand([] { throw TesseraError("Sound loading is not built yet."); });
}

}  // namespace tessera
