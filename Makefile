# Top-level commands. `make demo` and `make test` install what is missing, build and run.
BUILD_DIR ?= build
SAN_DIR   ?= build-sanitize
JOBS      ?= $(shell nproc 2>/dev/null || echo 2)
CMAKE_GEN := $(shell command -v ninja >/dev/null 2>&1 && echo "-G Ninja")

FUZZ_DIR  ?= build-fuzz
FUZZ_SECONDS ?= 60
WIN_DIR   ?= build-windows

.PHONY: all deps build demo run screenshots test test-fast test-sanitize bench golden-update mutation-sample clean \
        fuzz windows-check package package-check

all: build

deps:
	@./scripts/install-deps.sh

$(BUILD_DIR)/CMakeCache.txt:
	cmake -S . -B $(BUILD_DIR) $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=Release

build: deps $(BUILD_DIR)/CMakeCache.txt
	cmake --build $(BUILD_DIR) -j $(JOBS)

# Converts the bundled example drawings and prints the report.
demo: build
	./scripts/demo.sh $(BUILD_DIR)

# Starts the desktop window on copies of the example drawings (in out/run/), with the
# examples' settings and drilling head.
run: build
	./scripts/run_window.sh $(BUILD_DIR)

# Runs the desktop application without a screen on the example drawings and saves
# pictures of its windows into out/screenshots/.
screenshots: build
	./scripts/screenshots.sh $(BUILD_DIR)

# The whole suite, then the reader and parsers again under AddressSanitizer and UBSan.
test: build
	cd $(BUILD_DIR) && ctest --output-on-failure -j $(JOBS)
	$(MAKE) test-sanitize

test-fast: build
	cd $(BUILD_DIR) && ctest --output-on-failure -j $(JOBS)

test-sanitize: deps
	cmake -S . -B $(SAN_DIR) $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=Debug -DMARQUILL_SANITIZE=ON -DMARQUILL_BENCH=OFF -DMARQUILL_GUI=OFF
	cmake --build $(SAN_DIR) -j $(JOBS)
	cd $(SAN_DIR) && ctest --output-on-failure -j $(JOBS) -LE slow

# Generates four drawings, times the reader, each stage and whole conversions, and prints
# one table with dxflib's and ezdxf's reading times beside (both installed if missing).
bench:
	@WITH_BENCHMARK=1 ./scripts/install-deps.sh
	@$(MAKE) --no-print-directory build
	cmake $(BUILD_DIR) > /dev/null
	cmake --build $(BUILD_DIR) -j $(JOBS)
	./scripts/bench.sh $(BUILD_DIR)

# Rewrites the golden programs after a reviewed change.
golden-update: build
	cd $(BUILD_DIR) && UPDATE_GOLDEN=1 ctest --output-on-failure -L golden

# The Debian package marquill400_VERSION_ARCH.deb in $(BUILD_DIR)/ (CPack; the runtime
# dependencies are read from the programs by dpkg-shlibdeps).
package: build
	cmake --build $(BUILD_DIR) -j $(JOBS) --target package

# Installs the package into a clean Debian 12 root made with debootstrap and converts
# the example drawings there (as root; a few minutes; not part of `make test`).
package-check: deps
	./scripts/package_check.sh $(BUILD_DIR)

clean:
	rm -rf $(BUILD_DIR) $(SAN_DIR) $(FUZZ_DIR) $(WIN_DIR) out

# Every fuzz target for FUZZ_SECONDS each (clang's libFuzzer, with ASan and UBSan); a
# finding fails the run and is kept under $(FUZZ_DIR)/findings/. Not part of `make test`.
fuzz:
	@WITH_FUZZ=1 ./scripts/install-deps.sh
	CC=clang CXX=clang++ cmake -S . -B $(FUZZ_DIR) $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=RelWithDebInfo \
	  -DMARQUILL_FUZZ=ON -DMARQUILL_TESTS=OFF -DMARQUILL_GUI=OFF -DMARQUILL_BENCH=OFF
	cmake --build $(FUZZ_DIR) -j $(JOBS)
	FUZZ_SECONDS=$(FUZZ_SECONDS) ./scripts/fuzz.sh $(FUZZ_DIR)

# The core and marquill400-cli cross-built for Windows (mingw-w64), their unit tests and
# the example drawings run under Wine with Windows paths, the programs compared with the
# Linux goldens. Not part of `make test`: Wine is large.
windows-check:
	@WITH_WINDOWS=1 ./scripts/install-deps.sh
	./scripts/windows_check.sh $(WIN_DIR)

# How many of a fixed sample of small faults in the engine and the writer the suite
# catches (about 15 minutes; not part of `make test`).
mutation-sample: deps
	python3 scripts/mutation_sample.py
