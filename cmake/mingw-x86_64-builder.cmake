# qvsbuild.exe: the x86_64 toolchain with the POSIX thread model, whose C++
# runtime has std::thread for the builder's compression workers (the
# default win32 model of GCC 12 lacks it). Linked statically, as every
# Windows target, so only system DLLs are needed. Configure with
# -DQVS_WINDOWS_BUILDER=ON.
include(${CMAKE_CURRENT_LIST_DIR}/mingw-x86_64.cmake)
set(CMAKE_C_COMPILER ${QVS_TRIPLET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${QVS_TRIPLET}-g++-posix)
