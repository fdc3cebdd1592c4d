# Calculator Kelvo. `make run` opens the calculator in the stand-in host (without a display, a
# scripted run that saves screenshots); `make test` builds the native, sanitizer, win32 and
# win64 trees and runs their suites (the Windows-side ones under Wine in Xvfb), and a summary;
# `make dist` writes the release package; `make bench` runs the benchmarks. Each installs the
# packages it needs when missing. Where this machine cannot run 32-bit programs
# (cmake/x86-support.sh; or with KELVO_NO_X86=1), run and bench use the win64 tree and test
# runs the win32 tree's static checks only, and each says so. Each recipe execs one script, so
# that a signal to make reaches it (cmake/jobs.sh); build-tree.sh holds the tree's lock.
SHELL := /bin/sh
# The command that build-tree.sh names to a second command that waits for the same tree.
export KELVO_COMMAND := make $(or $(MAKECMDGOALS),all)

.PHONY: all deps native native-asan win32 win64 test test-native test-native-asan test-win32 \
	test-win64 run bench dist fuzz format clean

all: native win32 win64

deps:
	@exec cmake/install-deps.sh

native native-asan win32 win64: deps
	@exec cmake/build-tree.sh $@

test: deps
	@exec cmake/run-tests.sh

test-native test-native-asan test-win32 test-win64: deps
	@exec cmake/run-tests.sh $(@:test-%=%)

# The tree of the programs that this machine runs: win32, or win64 with a line saying why; a
# failure when that cannot be told.
RUN_TREE = tree=win32; reason=$$(cmake/x86-support.sh) || case $$? in \
	1) tree=win64; echo "make $@: using the x64 build (build/win64): $$reason" ;; \
	*) echo "make $@: stopped: $$reason" >&2; exit 1 ;; esac

run: deps
	@$(RUN_TREE); exec cmake/build-tree.sh $$tree cmake/run-calculator.sh $(CURDIR)/build/$$tree

bench: deps
	@$(RUN_TREE); exec cmake/build-tree.sh $$tree cmake/wine-session.sh --xvfb 1 \
		$(CURDIR)/build/$$tree cmake/run-benchmarks.sh $(CURDIR)/build/$$tree

# The release package holds the 32-bit module; the tree builds it, and it is copied here.
dist: deps
	@exec cmake/build-tree.sh win32 sh -c 'cmake --build --preset win32 --target release_package \
		&& zip=$$(ls -t build/win32/dist/CalculatorKelvo-*.zip | head -n 1) && mkdir -p dist \
		&& cp "$$zip" dist/ && echo "Release package: dist/$${zip##*/}"'

# Each fuzz target for FUZZ_SECONDS (make fuzz FUZZ_SECONDS=600 for longer).
FUZZ_SECONDS := 60
fuzz: deps
	@exec cmake/build-tree.sh native-asan env KELVO_FUZZ_SECONDS=$(FUZZ_SECONDS) \
		ctest --preset native-asan -L fuzz

format:
	@git ls-files '*.cpp' '*.h' | xargs clang-format -i

clean:
	@rm -rf build
