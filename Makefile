# The two commands a newcomer needs: `make run` and `make test`.
BUILD_DIR ?= build
CMAKE_FLAGS ?= -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKVILTORA_WERROR=ON

# The WebAssembly core, in a folder of its own; the browser test takes it from WEB_SITE.
WEB_DIR ?= build-web
WEB_SITE = $(CURDIR)/$(WEB_DIR)/site

.PHONY: all deps deps-run configure build build-run test run web serve-web screenshot clean test-sanitize test-a11y fuzz package bench audit
all: build

# Everything the tests and tools need, the web toolchain and a browser included.
deps:
	@scripts/install-deps.sh test

# Only what building and running the desktop program needs.
deps-run:
	@scripts/install-deps.sh run

configure: deps
	@cmake -S . -B $(BUILD_DIR) -G Ninja $(CMAKE_FLAGS) -DBUILD_TESTING=ON \
	  -DKVILTORA_WEB_SITE=$(WEB_SITE) > /dev/null

build: configure
	@cmake --build $(BUILD_DIR)

test: build web
	@ctest --test-dir $(BUILD_DIR) --output-on-failure

web: deps
	@NODE_PATH=/usr/share/nodejs emcmake cmake -S src/web -B $(WEB_DIR) -G Ninja \
	  -DCMAKE_BUILD_TYPE=Release "-DCMAKE_CXX_FLAGS_RELEASE=-Oz -DNDEBUG" > /dev/null
	@cmake --build $(WEB_DIR)

# The browser edition on this machine only, at http://127.0.0.1:<port>/ (PORT=8080 picks one).
serve-web: web
	@/usr/bin/python3 scripts/serve-web.py $(WEB_SITE) $(PORT)

# The program alone. Without the test packages the tests cannot be configured,
# so they are left out, unless a `make test` has already configured them.
build-run: deps-run
	@cmake -S . -B $(BUILD_DIR) -G Ninja $(CMAKE_FLAGS) \
	  $$(grep -qs '^BUILD_TESTING:BOOL=ON' $(BUILD_DIR)/CMakeCache.txt || echo -DBUILD_TESTING=OFF) \
	  > /dev/null
	@cmake --build $(BUILD_DIR) --target kviltora

run: build-run
	@if [ -z "$${DISPLAY:-}$${WAYLAND_DISPLAY:-}" ]; then \
	  echo "No display to open the window on: DISPLAY and WAYLAND_DISPLAY are unset."; \
	  echo "To run it without a screen, use a virtual X server: xvfb-run -a make run"; \
	  exit 1; \
	fi
	@$(BUILD_DIR)/kviltora

screenshot:
	@scripts/screenshot.sh

# The Debian package, left in dist/ (the only .deb there): install it with
# `sudo apt-get install ./dist/kviltora_<version>_<arch>.deb`. Beside it, the
# page's three downloads: the site for any static host, the page as one file
# that opens from disk, and the page as a SCORM 1.2 package.
VERSION = $(shell sed -n 's/^project.kviltora VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
package: build web
	@rm -f $(BUILD_DIR)/package/kviltora_*.deb
	@cmake --build $(BUILD_DIR) --target package > /dev/null
	@mkdir -p dist && rm -f dist/kviltora_*.deb dist/kviltora-*.zip dist/kviltora-*.html
	@cp $(BUILD_DIR)/package/kviltora_*.deb dist/
	@ls dist/kviltora_*.deb
	@/usr/bin/python3 scripts/make-downloads.py $(WEB_SITE) dist $(VERSION)

# The sanitized and the libFuzzer builds keep folders of their own.
SANITIZE_DIR ?= build-sanitize
SANITIZE_ENV = UBSAN_OPTIONS=print_stacktrace=1
test-sanitize: deps
	@cmake -S . -B $(SANITIZE_DIR) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKVILTORA_WERROR=ON \
	  -DKVILTORA_SANITIZE=ON > /dev/null
	@$(SANITIZE_ENV) cmake --build $(SANITIZE_DIR)
	@$(SANITIZE_ENV) ctest --test-dir $(SANITIZE_DIR) --output-on-failure

# The real program, then the page in Chromium, under Orca, headless, through the
# whole exercise: what a blind pupil hears. Orca's debug logs are left in
# $(BUILD_DIR)/orca-debug.log and $(BUILD_DIR)/orca-web-debug.log.
A11Y_PACKAGES = orca at-spi2-core python3-pyatspi dbus-daemon
test-a11y: configure web
	@scripts/install-deps.sh $(A11Y_PACKAGES)
	@cmake --build $(BUILD_DIR)
	@tests/a11y/orca_session.sh $(BUILD_DIR)/kviltora $(abspath $(BUILD_DIR))/orca-debug.log
	@tests/a11y/check_speech.py $(BUILD_DIR)/orca-debug.log
	@tests/a11y/choose_by_atspi.sh $(BUILD_DIR)/kviltora 2>/dev/null | grep -E '^(heard|MISSING)'
	@tests/a11y/orca_web_session.sh $(WEB_SITE) $(abspath $(BUILD_DIR))/orca-web-debug.log
	@tests/a11y/check_web_speech.py $(BUILD_DIR)/orca-web-debug.log

FUZZ_DIR ?= build-fuzz
FUZZ_SECONDS ?= 60
fuzz: deps
	@cmake -S fuzz -B $(FUZZ_DIR) -G Ninja -DCMAKE_CXX_COMPILER=clang++ \
	  -DCMAKE_BUILD_TYPE=RelWithDebInfo > /dev/null
	@cmake --build $(FUZZ_DIR)
	@fuzz/run-fuzzers.sh $(FUZZ_DIR) $(FUZZ_SECONDS)

# Benchmarks and the start-up comparison, in a build of their own at the -O2 the
# program ships with (GCC 12 at -O3 raises a false -Wrestrict in std::string).
# PAGE_BEFORE=<the site folder of another web build> compares the page with it.
BENCH_DIR ?= build-bench
bench: deps web
	@cmake -S . -B $(BENCH_DIR) -G Ninja -DCMAKE_BUILD_TYPE=Release "-DCMAKE_CXX_FLAGS_RELEASE=-O2 -DNDEBUG" \
	  -DKVILTORA_WERROR=ON -DKVILTORA_BENCH=ON -DBUILD_TESTING=OFF > /dev/null
	@cmake --build $(BENCH_DIR)
	@bench/run-bench.sh $(BENCH_DIR)
	@/usr/bin/python3 bench/page-bench.py $(WEB_SITE) $(if $(PAGE_BEFORE),--before $(PAGE_BEFORE))
	@/usr/bin/python3 bench/web-bench.py $(WEB_SITE) $(BENCH_DIR)/bench-results/kviltora_core_bench.json

# Every build folder and the package left in dist/.
clean:
	rm -rf $(BUILD_DIR) $(WEB_DIR) $(SANITIZE_DIR) $(FUZZ_DIR) $(BENCH_DIR) dist

# Lighthouse as a phone and as a desktop, and the Nu HTML checker, on the built
# page; the tools come from npm at the versions audit/package-lock.json pins.
audit: web
	@scripts/install-deps.sh audit
	@/usr/bin/python3 audit/run-audit.py $(WEB_SITE)
