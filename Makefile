# The two commands a newcomer needs: `make run` and `make test`.
BUILD_DIR ?= build
CMAKE_FLAGS ?= -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKVILTORA_WERROR=ON

.PHONY: all deps configure build test run screenshot clean
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

clean:
	rm -rf $(BUILD_DIR)
