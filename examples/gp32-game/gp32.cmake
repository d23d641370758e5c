# SPDX-License-Identifier: GPL-3.0-or-later
# The GP32's ARM920T through the bare-metal ARM toolchain (Debian: gcc-arm-none-eabi).
set(CMAKE_SYSTEM_NAME Generic)
set(CMAKE_SYSTEM_PROCESSOR arm)
set(CMAKE_C_COMPILER arm-none-eabi-gcc)
set(CMAKE_C_FLAGS_INIT "-mcpu=arm920t")
# Without the SDK's start-up files nothing links into a program: the compiler check builds a
# library instead.
set(CMAKE_TRY_COMPILE_TARGET_TYPE STATIC_LIBRARY)
