# The two commands of the README: `make run` and `make test`. Both install what is missing first.
BUILD_DIR := build
JOBS := $(shell nproc 2>/dev/null || echo 2)
# Ninja prints one progress line a step and nothing but "no work to do" when all is built.
GENERATOR ?= Ninja
# cmake --build may run make below this make, which would then announce every directory it enters.
BUILD := env -u MAKELEVEL -u MAKEFLAGS -u MFLAGS cmake --build $(BUILD_DIR) -j$(JOBS)

.PHONY: all deps configure build run test package test-sanitize fuzz gallery readme-pictures bench strokes-data clean

all: build

deps:
	@bash scripts/install-deps.sh

# Configure once; later builds re-run CMake by themselves when a CMakeLists.txt changes.
configure: deps
	@[ -f $(BUILD_DIR)/CMakeCache.txt ] || cmake -S . -B $(BUILD_DIR) -G "$(GENERATOR)" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null

build: configure
	@$(BUILD)

# The program and the data files it reads beside it.
run: configure
	@if [ -z "$$DISPLAY" ] && [ -z "$$WAYLAND_DISPLAY" ] && [ -z "$$QT_QPA_PLATFORM" ]; then \
	  echo "Lumibo needs a graphical display and none is set (DISPLAY is empty). Start it from a desktop session, or without a screen as: xvfb-run make run"; \
	  exit 1; \
	fi
	@$(BUILD) --target lumibo content sounds
	@cd $(BUILD_DIR) && ./lumibo

test: build
	@cd $(BUILD_DIR) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j$(JOBS)

# build/lumibo_<version>_<arch>.deb, checked by its test (unpacked, started, every screen opened)
# and by lintian, which comes from a list of its own: only this command needs it.
VERSION = $(shell sed -n 's/^project.Lumibo VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
DEB = $(BUILD_DIR)/lumibo_$(VERSION)_$(shell dpkg --print-architecture 2>/dev/null).deb
package: configure
	@bash scripts/install-deps.sh scripts/debian-packages-package.txt
	@$(BUILD) --target deb lumibo-gallery
	@cd $(BUILD_DIR) && QT_QPA_PLATFORM=offscreen ctest -R '^PackageTest$$' --output-on-failure
	@lintian --display-info --fail-on error $(DEB) && echo "lintian: no errors in $(DEB)"

# The whole suite again, built with AddressSanitizer and UndefinedBehaviorSanitizer.
test-sanitize: deps
	@[ -f build-sanitize/CMakeCache.txt ] || cmake -S . -B build-sanitize -G "$(GENERATOR)" \
	  -DCMAKE_BUILD_TYPE=RelWithDebInfo -DLUMIBO_SANITIZE=ON >/dev/null
	@env -u MAKELEVEL -u MAKEFLAGS -u MFLAGS cmake --build build-sanitize -j$(JOBS)
	@cd build-sanitize && QT_QPA_PLATFORM=offscreen \
	  ASAN_OPTIONS=detect_leaks=0:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
	  ctest --output-on-failure -j$(JOBS)

# The libFuzzer targets, each for a bounded time (LUMIBO_FUZZ_SECONDS, 30 s by default).
fuzz: deps
	@bash scripts/install-deps.sh scripts/debian-packages-fuzz.txt
	@bash scripts/fuzz.sh

# Every screen and state, then the main window, a drill and a lesson at twice the size.
gallery: build
	@QT_QPA_PLATFORM=offscreen $(BUILD_DIR)/lumibo-gallery $(BUILD_DIR)/gallery
	@QT_QPA_PLATFORM=offscreen $(BUILD_DIR)/lumibo-gallery --scale 2 --only Main,jiafa10,renzidan $(BUILD_DIR)/gallery/2x

readme-pictures: configure
	@$(BUILD) --target lumibo-gallery lumibo-montage content sounds
	@bash scripts/readme-pictures.sh $(BUILD_DIR)

bench: build
	@bash bench/startup.sh

# Remakes data/strokes/strokes.dat from the npm package hanzi-writer-data 2.0.1, checked against
# the tarball's recorded checksum. Only this needs npm: run and test use the committed file.
strokes-data: configure
	@$(BUILD) --target lumibo-strokes
	@bash scripts/strokes-data.sh $(BUILD_DIR)

clean:
	@rm -rf $(BUILD_DIR) build-sanitize build-fuzz
