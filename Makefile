# Top-level entry points. Every target first installs the Debian packages of its
# own purpose (scripts/install-deps), and nothing more.
BUILD      ?= build
ASAN_BUILD ?= build-asan
TSAN_BUILD ?= build-tsan
BENCH_BUILD ?= build-bench
FUZZ_BUILD ?= build-fuzz
FUZZ_SECONDS ?= 60
JOBS ?= $(shell nproc)
# Where `make install` puts the programs; DESTDIR stages the install elsewhere
# (make install DESTDIR=/tmp/stage PREFIX=/usr).
PREFIX ?= /usr/local
DESTDIR ?=
# WERROR=ON turns compiler warnings into errors (continuous integration sets it).
WERROR ?= OFF
CMAKE_FLAGS = -G Ninja -DTREVALON_WERROR=$(WERROR)
CONFIGURE = cmake -S . -B $(BUILD) $(CMAKE_FLAGS) -DCMAKE_BUILD_TYPE=RelWithDebInfo
# The programs and every file they install with (library files, sample, manual,
# desktop entry, man page); no tests.
BUILD_PROGRAMS = cmake --build $(BUILD) -j $(JOBS) --target trevalon_programs

.PHONY: build run gui screenshots install package test test-normal test-asan test-tsan bench fuzz clean

build:
	@./scripts/install-deps run
	$(CONFIGURE)
	$(BUILD_PROGRAMS)

run: build
	./scripts/run-sample $(BUILD)

# Builds and starts the desktop program.
gui: build
	$(BUILD)/bin/trevalon-gui

# Pictures of the window under a virtual X server, into $(BUILD)/screenshots/.
screenshots:
	@./scripts/install-deps test
	$(CONFIGURE)
	cmake --build $(BUILD) -j $(JOBS) --target trevalon-screenshots
	./scripts/screenshots $(BUILD)

install: build
	DESTDIR="$(DESTDIR)" cmake --install $(BUILD) --prefix "$(PREFIX)"

# The Debian package $(BUILD)/package/trevalon_<version>_amd64.deb.
package:
	@./scripts/install-deps package
	$(CONFIGURE)
	$(BUILD_PROGRAMS)
	cd $(BUILD) && cpack -G DEB
	@ls $(BUILD)/package/*.deb

test:
	@./scripts/install-deps test
	$(MAKE) --no-print-directory test-normal
	$(MAKE) --no-print-directory test-asan
	$(MAKE) --no-print-directory test-tsan

test-normal:
	$(CONFIGURE) -DTREVALON_BUILD_TESTS=ON
	cmake --build $(BUILD) -j $(JOBS)
	ctest --test-dir $(BUILD) --output-on-failure -j $(JOBS)

# verify_asan_link_order=0 lets the suite run under faketime, whose preloaded library comes first.
test-asan:
	cmake -S . -B $(ASAN_BUILD) $(CMAKE_FLAGS) -DCMAKE_BUILD_TYPE=Debug -DTREVALON_SANITIZE=ON -DTREVALON_BUILD_TESTS=ON
	cmake --build $(ASAN_BUILD) -j $(JOBS)
	ASAN_OPTIONS=detect_leaks=1:verify_asan_link_order=0 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
	  ctest --test-dir $(ASAN_BUILD) --output-on-failure -j $(JOBS)

# ThreadSanitizer on the tests labelled "threads" (design tables and test runs,
# whose work goes on worker threads): only they, the core and the library files
# they read are built, so it adds little to a CI run.
test-tsan:
	cmake -S . -B $(TSAN_BUILD) $(CMAKE_FLAGS) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTREVALON_SANITIZE_THREAD=ON -DTREVALON_BUILD_TESTS=ON
	cmake --build $(TSAN_BUILD) -j $(JOBS) --target trevalon_thread_tests
	TSAN_OPTIONS=halt_on_error=1:second_deadlock_stack=1 \
	  ctest --test-dir $(TSAN_BUILD) --output-on-failure -j $(JOBS) -L threads

bench:
	@./scripts/install-deps bench
	cmake -S . -B $(BENCH_BUILD) $(CMAKE_FLAGS) -DCMAKE_BUILD_TYPE=Release -DTREVALON_BUILD_TESTS=OFF -DTREVALON_BUILD_BENCH=ON
	cmake --build $(BENCH_BUILD) -j $(JOBS)
	$(BENCH_BUILD)/bin/trevalon_bench

fuzz:
	@./scripts/install-deps fuzz
	CXX=clang++ cmake -S . -B $(FUZZ_BUILD) $(CMAKE_FLAGS) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTREVALON_SANITIZE=ON -DTREVALON_BUILD_TESTS=OFF -DTREVALON_BUILD_FUZZ=ON
	cmake --build $(FUZZ_BUILD) -j $(JOBS) --target trevalon_fuzzers
	./scripts/run-fuzzers $(FUZZ_BUILD)/bin $(FUZZ_SECONDS) $(FUZZ_BUILD)/fuzz-logs $(FUZZ_BUILD)/fuzz-artifacts

clean:
	rm -rf $(BUILD) $(ASAN_BUILD) $(TSAN_BUILD) $(BENCH_BUILD) $(FUZZ_BUILD)
