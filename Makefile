# Top-level entry points. Every target installs what it needs first.
BUILD      ?= build
ASAN_BUILD ?= build-asan
BENCH_BUILD ?= build-bench
FUZZ_BUILD ?= build-fuzz
FUZZ_SECONDS ?= 60
JOBS ?= $(shell nproc)
# WERROR=ON turns compiler warnings into errors (continuous integration sets it).
WERROR ?= OFF
CMAKE_FLAGS = -G Ninja -DTREVALON_WERROR=$(WERROR)

.PHONY: deps build run gui screenshots test test-normal test-asan bench fuzz clean

deps:
	@./scripts/install-deps

build: deps
	cmake -S . -B $(BUILD) $(CMAKE_FLAGS) -DCMAKE_BUILD_TYPE=RelWithDebInfo
	cmake --build $(BUILD) -j $(JOBS)

run: build
	./scripts/run-sample $(BUILD)

# Builds and starts the desktop program.
gui: build
	$(BUILD)/bin/trevalon-gui

# Pictures of the window under a virtual X server, into $(BUILD)/screenshots/.
screenshots: build
	./scripts/screenshots $(BUILD)

test: deps
	$(MAKE) --no-print-directory test-normal
	$(MAKE) --no-print-directory test-asan

test-normal:
	cmake -S . -B $(BUILD) $(CMAKE_FLAGS) -DCMAKE_BUILD_TYPE=RelWithDebInfo
	cmake --build $(BUILD) -j $(JOBS)
	ctest --test-dir $(BUILD) --output-on-failure -j $(JOBS)

# verify_asan_link_order=0 lets the suite run under faketime, whose preloaded library comes first.
test-asan:
	cmake -S . -B $(ASAN_BUILD) $(CMAKE_FLAGS) -DCMAKE_BUILD_TYPE=Debug -DTREVALON_SANITIZE=ON
	cmake --build $(ASAN_BUILD) -j $(JOBS)
	ASAN_OPTIONS=detect_leaks=1:verify_asan_link_order=0 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
	  ctest --test-dir $(ASAN_BUILD) --output-on-failure -j $(JOBS)

bench: deps
	cmake -S . -B $(BENCH_BUILD) $(CMAKE_FLAGS) -DCMAKE_BUILD_TYPE=Release -DTREVALON_BUILD_TESTS=OFF -DTREVALON_BUILD_BENCH=ON
	cmake --build $(BENCH_BUILD) -j $(JOBS)
	$(BENCH_BUILD)/bin/trevalon_bench

fuzz: deps
	CXX=clang++ cmake -S . -B $(FUZZ_BUILD) $(CMAKE_FLAGS) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTREVALON_SANITIZE=ON -DTREVALON_BUILD_TESTS=OFF -DTREVALON_BUILD_FUZZ=ON
	cmake --build $(FUZZ_BUILD) -j $(JOBS) --target trevalon_fuzzers
	./scripts/run-fuzzers $(FUZZ_BUILD)/bin $(FUZZ_SECONDS) $(FUZZ_BUILD)/fuzz-logs

clean:
	rm -rf $(BUILD) $(ASAN_BUILD) $(BENCH_BUILD) $(FUZZ_BUILD)
