# Thin driver over CMake. `make demo` builds the demo installer, `make test`
# runs every test; both build what they need first. `make` (build) also
# makes out/qvsbuild-windows, the builder for vendors on Windows.
JOBS ?= $(shell nproc)
CMAKE_FLAGS ?= -DCMAKE_BUILD_TYPE=Release

.PHONY: all build host asan i686 x64 windows fuzz test demo bench clean

all: build
build: host i686 x64 windows

build/host/CMakeCache.txt:
	cmake -S . -B build/host $(CMAKE_FLAGS) >/dev/null
build/asan/CMakeCache.txt:
	cmake -S . -B build/asan -DCMAKE_BUILD_TYPE=Debug -DQVS_SANITIZE=ON >/dev/null
build/i686/CMakeCache.txt:
	cmake -S . -B build/i686 $(CMAKE_FLAGS) -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake >/dev/null
build/x64/CMakeCache.txt:
	cmake -S . -B build/x64 $(CMAKE_FLAGS) -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-x86_64.cmake >/dev/null
build/windows/CMakeCache.txt:
	cmake -S . -B build/windows $(CMAKE_FLAGS) -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-x86_64-builder.cmake \
	  -DQVS_WINDOWS_BUILDER=ON >/dev/null
build/fuzz/CMakeCache.txt:
	CC=clang CXX=clang++ cmake -S . -B build/fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQVS_FUZZ=ON >/dev/null

host: build/host/CMakeCache.txt
	cmake --build build/host -j $(JOBS)
asan: build/asan/CMakeCache.txt
	cmake --build build/asan -j $(JOBS)
i686: build/i686/CMakeCache.txt
	cmake --build build/i686 -j $(JOBS)
x64: build/x64/CMakeCache.txt
	cmake --build build/x64 -j $(JOBS)
# qvsbuild.exe, and the folder a vendor on Windows unpacks: it with the
# stubs, modules and uninstallers of both flavours beside it.
windows: build/windows/CMakeCache.txt i686 x64
	cmake --build build/windows -j $(JOBS)
	tools/make-windows-dist.sh
fuzz: build/fuzz/CMakeCache.txt
	cmake --build build/fuzz -j $(JOBS) --target fuzz_archive_reader fuzz_script_reader fuzz_uninstaller_data

# The main job: the demo product turned into an installer (out/demo-setup.exe,
# the 32-bit product; out/demo-setup-x64.exe, the flavour Wine runs here).
demo: build
	tools/make-demo.sh

test: build asan fuzz
	tests/run.sh

bench: host x64
	bench/run.sh
	bench/startup.sh
	bench/install.sh
	bench/check.sh

clean:
	rm -rf build out
