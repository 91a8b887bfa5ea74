# The two commands of the README: `make run` and `make test`. Both install what is missing first.
BUILD_DIR := build
JOBS := $(shell nproc 2>/dev/null || echo 2)

.PHONY: all deps configure build run test test-sanitize fuzz gallery bench clean

all: build

deps:
	@bash scripts/install-deps.sh

configure: deps
	@cmake -S . -B $(BUILD_DIR) -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null

build: configure
	@cmake --build $(BUILD_DIR) -j$(JOBS)

run: build
	@if [ -z "$$DISPLAY" ] && [ -z "$$WAYLAND_DISPLAY" ] && [ -z "$$QT_QPA_PLATFORM" ]; then \
	  echo "Lumibo needs a graphical display and none is set (DISPLAY is empty). Start it from a desktop session, or without a screen as: xvfb-run make run"; \
	  exit 1; \
	fi
	@cd $(BUILD_DIR) && ./lumibo

test: build
	@cd $(BUILD_DIR) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j$(JOBS)

# The whole suite again, built with AddressSanitizer and UndefinedBehaviorSanitizer.
test-sanitize: deps
	@cmake -S . -B build-sanitize -DCMAKE_BUILD_TYPE=RelWithDebInfo -DLUMIBO_SANITIZE=ON >/dev/null
	@cmake --build build-sanitize -j$(JOBS)
	@cd build-sanitize && QT_QPA_PLATFORM=offscreen \
	  ASAN_OPTIONS=detect_leaks=0:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
	  ctest --output-on-failure -j$(JOBS)

# The libFuzzer targets, each for a bounded time (LUMIBO_FUZZ_SECONDS, 30 s by default).
fuzz: deps
	@bash scripts/fuzz.sh

gallery: build
	@QT_QPA_PLATFORM=offscreen $(BUILD_DIR)/lumibo-gallery $(BUILD_DIR)/gallery

bench: build
	@bash bench/startup.sh

clean:
	@rm -rf $(BUILD_DIR) build-sanitize build-fuzz
