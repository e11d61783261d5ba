# Korvelin: `make run` starts the program, `make test` runs every test.
# Both install what is missing (Debian packages), configure and build first.

BUILD ?= build
RELEASE_BUILD ?= build-release
PREFIX ?= /usr/local
JOBS ?= $(shell nproc)
APT_PACKAGES = cmake ninja-build g++ ccache pkg-config libgtest-dev \
	qt6-base-dev qt6-serialport-dev qt6-multimedia-dev \
	fonts-ipafont-mincho fonts-ipafont-gothic imagemagick \
	poppler-utils sox cups printer-driver-cups-pdf pulseaudio pulseaudio-utils socat \
	qt6-translations-l10n
# The peers the benchmarks compare with, and a display server for the window benchmark.
BENCH_PACKAGES = yabasic bwbasic xvfb xauth time
# The layout and lint checks (make format-check, make tidy).
LINT_PACKAGES = clang-format clang-tidy
SUDO = $(shell [ "$$(id -u)" = 0 ] || echo sudo)

.PHONY: all deps install-packages configure build install run test release-build bench clean format format-check tidy sanitize fuzz

all: build

deps:
	@$(MAKE) --no-print-directory install-packages PACKAGES="$(APT_PACKAGES)"

install-packages:
	@missing=""; for p in $(PACKAGES); do \
	  dpkg-query -W -f='$${Status}' $$p 2>/dev/null | grep -q "install ok installed" || missing="$$missing $$p"; \
	done; \
	if [ -n "$$missing" ]; then \
	  echo "installing:$$missing"; \
	  $(SUDO) apt-get update -qq && \
	  DEBIAN_FRONTEND=noninteractive $(SUDO) apt-get install -y -qq $$missing; \
	fi

$(BUILD)/build.ninja: CMakeLists.txt | deps
	cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo

configure: deps $(BUILD)/build.ninja

build: configure
	cmake --build $(BUILD) -j $(JOBS)

# The binary, KORVELIN.DAT, the samples, the desktop entry, icon, MIME type
# and AppStream data under $(PREFIX).
install: build
	cmake --install $(BUILD) --prefix $(PREFIX)

run: build
	$(BUILD)/korvelin $(ARGS)

# The project's own checks treat warnings as errors (KORVELIN_WERROR); a
# plain build does not, so that a newer compiler cannot break it.
test: configure
	@grep -q '^KORVELIN_WERROR:BOOL=ON' $(BUILD)/CMakeCache.txt || cmake -B $(BUILD) -DKORVELIN_WERROR=ON
	cmake --build $(BUILD) -j $(JOBS)
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

# The Release configuration (what a package builds) in a build folder of its
# own, warnings as errors; CI compiles it so that -O3 warnings cannot return.
# Only what ships (and the benchmark runner): the tests run in the default
# configuration, and GCC 12's -O3 string warnings in test code say nothing
# about the product.
release-build: deps
	cmake -S . -B $(RELEASE_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Release -DKORVELIN_WERROR=ON
	cmake --build $(RELEASE_BUILD) -j $(JOBS) --target korvelin korvelin_headless

# Times the reference programs against bwbasic and yabasic, then the
# execution window against batch mode.
bench: build
	@$(MAKE) --no-print-directory install-packages PACKAGES="$(BENCH_PACKAGES)"
	bench/run $(BUILD)/korvelin 3
	bench/window-run $(BUILD)/korvelin 3
	bench/graphics-run $(BUILD)/korvelin 5
	bench/startup-run $(BUILD)/korvelin
	bench/watch-run $(BUILD) 3

# The test suite under AddressSanitizer and UndefinedBehaviorSanitizer, in a
# build directory of its own. Slow: run it before merging engine changes
# (docs/RELIABILITY.md).
SANITIZE_BUILD ?= build-sanitize
sanitize: deps
	cmake -S . -B $(SANITIZE_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKORVELIN_SANITIZE=ON
	cmake --build $(SANITIZE_BUILD) -j $(JOBS)
	cd $(SANITIZE_BUILD) && QT_QPA_PLATFORM=offscreen \
	  ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 \
	  LSAN_OPTIONS=suppressions=$(CURDIR)/tests/fuzz/lsan.supp:print_suppressions=0 \
	  UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
	  ctest --output-on-failure -j $(JOBS)

# The libFuzzer target around the engine and the batch host (clang), run for
# FUZZ_SECONDS on one core from the seed corpus; new inputs it finds go to
# $(FUZZ_BUILD)/corpus, crashes to $(FUZZ_BUILD)/crashes.
FUZZ_BUILD ?= build-fuzz
FUZZ_SECONDS ?= 600
fuzz: deps
	@$(MAKE) --no-print-directory install-packages PACKAGES="clang"
	cmake -S . -B $(FUZZ_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKORVELIN_FUZZ=ON \
	  -DCMAKE_CXX_COMPILER=clang++
	cmake --build $(FUZZ_BUILD) -j $(JOBS) --target korvelin_fuzz
	mkdir -p $(FUZZ_BUILD)/corpus $(FUZZ_BUILD)/crashes $(FUZZ_BUILD)/work
	cd $(FUZZ_BUILD)/work && QT_QPA_PLATFORM=offscreen \
	  ASAN_OPTIONS=detect_leaks=0 \
	  ../korvelin_fuzz -jobs=1 -workers=1 -max_total_time=$(FUZZ_SECONDS) -timeout=10 \
	  -rss_limit_mb=2048 -max_len=4096 -dict=$(CURDIR)/tests/fuzz/keywords.dict \
	  -artifact_prefix=../crashes/ ../corpus $(CURDIR)/tests/fuzz/corpus

format:
	clang-format -i $$(git ls-files '*.cpp' '*.h')

# Fails when a tracked source file is not laid out as .clang-format says.
format-check:
	@$(MAKE) --no-print-directory install-packages PACKAGES="$(LINT_PACKAGES)"
	clang-format --dry-run -Werror $$(git ls-files '*.cpp' '*.h')

# The checks of .clang-tidy on FILES (default: every tracked .cpp; slow).
FILES ?= $$(git ls-files '*.cpp')
tidy: configure
	@$(MAKE) --no-print-directory install-packages PACKAGES="$(LINT_PACKAGES)"
	clang-tidy -p $(BUILD) --quiet $(FILES)

clean:
	rm -rf $(BUILD) $(RELEASE_BUILD)
