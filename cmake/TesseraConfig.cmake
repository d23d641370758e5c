# SPDX-License-Identifier: GPL-3.0-or-later
# find_package(Tessera CONFIG): the imported program Tessera::cli and tessera_add_assets(), from
# an installed Tessera or from a build folder given as Tessera_DIR.
cmake_policy(PUSH)
cmake_policy(VERSION 3.20...3.28)
include(${CMAKE_CURRENT_LIST_DIR}/TesseraTargets.cmake)
include(${CMAKE_CURRENT_LIST_DIR}/TesseraAssets.cmake)
cmake_policy(POP)
