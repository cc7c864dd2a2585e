# Entry points. `make demo` and `make test` work on a fresh machine.
BUILD_DIR ?= build
ASAN_DIR ?= build-asan
FUZZ_DIR ?= build-fuzz
JOBS ?= $(shell nproc)
SECONDS ?= 60
CMAKE_FLAGS ?=

.PHONY: deps build test package asan demo fuzz bench format clean

deps:
	scripts/setup-deps

$(BUILD_DIR)/build.ninja:
	cmake -S . -B $(BUILD_DIR) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo $(CMAKE_FLAGS)

build: deps $(BUILD_DIR)/build.ninja
	cmake --build $(BUILD_DIR) -j $(JOBS)

test: build
	ctest --test-dir $(BUILD_DIR) --output-on-failure -j $(JOBS)

# The Debian package velk_<version>_<arch>.deb in $(BUILD_DIR): the programs, the desktop entry,
# the project file type, the icons and the thumbnailer (packaging/).
package: build
	cd $(BUILD_DIR) && cpack

asan: deps
	cmake -S . -B $(ASAN_DIR) -G Ninja -DCMAKE_BUILD_TYPE=Debug -DVELK_SANITIZE=ON \
	    -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ $(CMAKE_FLAGS)
	cmake --build $(ASAN_DIR) -j $(JOBS)
	ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
	    ctest --test-dir $(ASAN_DIR) --output-on-failure -j $(JOBS)

# Runs every libFuzzer target for SECONDS seconds, starting from its seed corpus, with the
# dictionary its seed writer made where there is one.
fuzz: deps
	cmake -S . -B $(FUZZ_DIR) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVELK_FUZZ=ON \
	    -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ $(CMAKE_FLAGS)
	cmake --build $(FUZZ_DIR) -j $(JOBS)
	for fuzzer in $(FUZZ_DIR)/fuzz/*_fuzz; do \
	    name=$$(basename $$fuzzer _fuzz); mkdir -p $(FUZZ_DIR)/fuzz-work/$$name; \
	    dict=$(FUZZ_DIR)/fuzz-corpus/$$name.dict; \
	    $$fuzzer -max_total_time=$(SECONDS) -rss_limit_mb=2048 \
	        $$( [ -f $$dict ] && echo -dict=$$dict ) \
	        $(FUZZ_DIR)/fuzz-work/$$name $(FUZZ_DIR)/fuzz-corpus/$$name || exit 1; \
	done

# Speed and memory figures: each benchmark reports ratios against a reference run beside it.
bench: build
	for b in $(BUILD_DIR)/bench/*_bench; do $$b || exit 1; done

demo: build
	scripts/demo $(BUILD_DIR)

format:
	clang-format -i $$(git ls-files '*.cpp' '*.h')

clean:
	rm -rf $(BUILD_DIR) $(ASAN_DIR) $(FUZZ_DIR)
