# Korvelin: `make run` starts the program, `make test` runs every test.
# Both install what is missing (Debian packages), configure and build first.

BUILD ?= build
JOBS ?= $(shell nproc)
APT_PACKAGES = cmake ninja-build g++ ccache pkg-config libgtest-dev \
	qt6-base-dev qt6-serialport-dev qt6-multimedia-dev \
	fonts-ipafont-mincho fonts-ipafont-gothic qt6-translations-l10n
# The peers the benchmarks compare with, and a display server for the window benchmark.
BENCH_PACKAGES = yabasic bwbasic xvfb xauth time
SUDO = $(shell [ "$$(id -u)" = 0 ] || echo sudo)

.PHONY: all deps install-packages configure build run test bench clean format

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

run: build
	$(BUILD)/korvelin $(ARGS)

test: build
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

# Times the reference programs against bwbasic and yabasic, then the
# execution window against batch mode.
bench: build
	@$(MAKE) --no-print-directory install-packages PACKAGES="$(BENCH_PACKAGES)"
	bench/run $(BUILD)/korvelin 3
	bench/window-run $(BUILD)/korvelin 3
	bench/startup-run $(BUILD)/korvelin

format:
	clang-format -i $$(git ls-files '*.cpp' '*.h')

clean:
	rm -rf $(BUILD)
