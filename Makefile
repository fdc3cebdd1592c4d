# Calculator Kelvo. `make run` opens the calculator in the stand-in host (without a display, a
# scripted run that saves screenshots); `make test` builds the native, sanitizer and Win32 trees
# and runs their tests (the Win32 ones under Wine in Xvfb); `make dist` writes the release
# package; `make bench` runs the benchmarks. Each installs the packages it needs when missing.
SHELL := /bin/sh
WIN32 := build/win32
PREFIX := $(CURDIR)/$(WIN32)/wineprefix
# The tests run side by side, one per core; the Windows-side ones each in a Wine session with an
# X display of its own (cmake/wine-session.sh).
JOBS := $(shell nproc)
CTEST := ctest --parallel $(JOBS) --preset
WINE_SESSIONS := cmake/wine-session.sh --xvfb $(JOBS) $(PREFIX)
CTEST_WIN32 := $(WINE_SESSIONS) $(CTEST) win32 --resource-spec-file $(PREFIX).sessions.json

.PHONY: all deps native native-asan win32 test test-native test-win32 run bench dist fuzz \
	format clean

all: native win32

deps:
	@cmake/install-deps.sh

native: deps
	@cmake --preset native >/dev/null
	@cmake --build --preset native

# The native code again under AddressSanitizer and UBSan, with the fuzz targets.
native-asan: deps
	@cmake --preset native-asan >/dev/null
	@cmake --build --preset native-asan

win32: deps
	@cmake --preset win32 >/dev/null
	@cmake --build --preset win32

test: native native-asan win32
	@$(CTEST) native
	@$(CTEST) native-asan
	@$(CTEST_WIN32)

test-native: native
	@$(CTEST) native

test-win32: win32
	@$(CTEST_WIN32)

run: win32
	@cmake/run-calculator.sh $(CURDIR)/$(WIN32)

bench: win32
	@cmake/wine-session.sh --xvfb 1 $(PREFIX) cmake/run-benchmarks.sh $(CURDIR)/$(WIN32)

dist: win32
	@cmake --build --preset win32 --target release_package
	@echo "Release package:" dist/CalculatorKelvo-*.zip

# Each fuzz target for FUZZ_SECONDS (make fuzz FUZZ_SECONDS=600 for longer).
FUZZ_SECONDS := 60
fuzz: native-asan
	@KELVO_FUZZ_SECONDS=$(FUZZ_SECONDS) ctest --preset native-asan -L fuzz

format:
	@git ls-files '*.cpp' '*.h' | xargs clang-format -i

clean:
	@rm -rf build
