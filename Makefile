# The two commands a newcomer needs: `make run` and `make test`.
BUILD_DIR ?= build
CMAKE_FLAGS ?= -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKVILTORA_WERROR=ON

.PHONY: all deps configure build test run screenshot clean test-sanitize test-a11y fuzz package bench
all: build

deps:
	@scripts/install-deps.sh

configure: deps
	@cmake -S . -B $(BUILD_DIR) -G Ninja $(CMAKE_FLAGS) > /dev/null

build: configure
	@cmake --build $(BUILD_DIR)

test: build
	@ctest --test-dir $(BUILD_DIR) --output-on-failure

run: build
	@if [ -z "$${DISPLAY:-}$${WAYLAND_DISPLAY:-}" ]; then \
	  echo "No display to open the window on: DISPLAY and WAYLAND_DISPLAY are unset."; \
	  echo "To run it without a screen, use a virtual X server: xvfb-run -a make run"; \
	  exit 1; \
	fi
	@$(BUILD_DIR)/kviltora

screenshot:
	@scripts/screenshot.sh

# The Debian package, left in dist/ (the only .deb there): install it with
# `sudo apt-get install ./dist/kviltora_<version>_<arch>.deb`.
package: build
	@rm -f $(BUILD_DIR)/package/kviltora_*.deb
	@cmake --build $(BUILD_DIR) --target package > /dev/null
	@mkdir -p dist && rm -f dist/kviltora_*.deb
	@cp $(BUILD_DIR)/package/kviltora_*.deb dist/
	@ls dist/kviltora_*.deb

# The sanitized and the libFuzzer builds keep folders of their own.
SANITIZE_DIR ?= build-sanitize
SANITIZE_ENV = UBSAN_OPTIONS=print_stacktrace=1
test-sanitize: deps
	@cmake -S . -B $(SANITIZE_DIR) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKVILTORA_WERROR=ON \
	  -DKVILTORA_SANITIZE=ON > /dev/null
	@$(SANITIZE_ENV) cmake --build $(SANITIZE_DIR)
	@$(SANITIZE_ENV) ctest --test-dir $(SANITIZE_DIR) --output-on-failure

# The real program under Orca, headless, through the whole exercise: what a
# blind pupil hears. Orca's debug log is left in $(BUILD_DIR)/orca-debug.log.
A11Y_PACKAGES = orca at-spi2-core python3-pyatspi dbus-daemon
test-a11y: configure
	@scripts/install-deps.sh $(A11Y_PACKAGES)
	@cmake --build $(BUILD_DIR)
	@tests/a11y/orca_session.sh $(BUILD_DIR)/kviltora $(abspath $(BUILD_DIR))/orca-debug.log
	@tests/a11y/check_speech.py $(BUILD_DIR)/orca-debug.log

FUZZ_DIR ?= build-fuzz
FUZZ_SECONDS ?= 60
fuzz: deps
	@cmake -S fuzz -B $(FUZZ_DIR) -G Ninja -DCMAKE_CXX_COMPILER=clang++ \
	  -DCMAKE_BUILD_TYPE=RelWithDebInfo > /dev/null
	@cmake --build $(FUZZ_DIR)
	@fuzz/run-fuzzers.sh $(FUZZ_DIR) $(FUZZ_SECONDS)

# Benchmarks and the start-up comparison, in a build of their own at the -O2 the
# program ships with (GCC 12 at -O3 raises a false -Wrestrict in std::string).
BENCH_DIR ?= build-bench
bench: deps
	@cmake -S . -B $(BENCH_DIR) -G Ninja -DCMAKE_BUILD_TYPE=Release "-DCMAKE_CXX_FLAGS_RELEASE=-O2 -DNDEBUG" \
	  -DKVILTORA_WERROR=ON -DKVILTORA_BENCH=ON -DBUILD_TESTING=OFF > /dev/null
	@cmake --build $(BENCH_DIR)
	@bench/run-bench.sh $(BENCH_DIR)

clean:
	rm -rf $(BUILD_DIR)
