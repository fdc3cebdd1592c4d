# The two commands of this project: `make run` and `make test`. Both install what is missing.
SHELL := /bin/sh
NATIVE := build/native
WIN32 := build/win32
XVFB := xvfb-run -a -s "-screen 0 1280x1024x24"
WINE_SESSION := cmake/wine-session.sh $(CURDIR)/$(WIN32)/wineprefix

.PHONY: all deps native win32 test test-native test-win32 run bench dist format clean

all: native win32

deps:
	@cmake/install-deps.sh

native: deps
	@cmake --preset native >/dev/null
	@cmake --build --preset native

# The native code again under AddressSanitizer and UBSan, with the fuzz targets.
.PHONY: native-asan fuzz
native-asan: deps
	@cmake --preset native-asan >/dev/null
	@cmake --build --preset native-asan

win32: deps
	@cmake --preset win32 >/dev/null
	@cmake --build --preset win32

test: native native-asan win32
	@ctest --preset native
	@ctest --preset native-asan
	@$(XVFB) $(WINE_SESSION) ctest --preset win32

test-native: native
	@ctest --preset native

test-win32: win32
	@$(XVFB) $(WINE_SESSION) ctest --preset win32

run: win32
	@cmake/run-calculator.sh $(CURDIR)/$(WIN32)

bench: win32
	@$(XVFB) $(WINE_SESSION) cmake/run-benchmarks.sh $(CURDIR)/$(WIN32)

# The win32 build writes the release package (cmake/KelvoDist.cmake).
dist: win32
	@echo "Release package:" dist/CalculatorKelvo-*.zip

# Each fuzz target for FUZZ_SECONDS (make fuzz FUZZ_SECONDS=600 for longer).
FUZZ_SECONDS := 60
fuzz: native-asan
	@KELVO_FUZZ_SECONDS=$(FUZZ_SECONDS) ctest --preset native-asan -L fuzz

format:
	@git ls-files '*.cpp' '*.h' | xargs clang-format -i

clean:
	@rm -rf build
