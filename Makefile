# tocsim: `make run` builds and starts the program, `make test` builds and runs
# every test twice (plain, then with AddressSanitizer and UndefinedBehaviorSanitizer).
# Both first install whatever is missing on a Debian 12 machine.

BUILD     := build
SAN_BUILD := build-san
JOBS      ?= $(shell nproc 2>/dev/null || echo 2)

# What `make run` needs: the compiler, GLUT, OpenGL, X11, libpng, GoogleTest
# (the build configures the tests too), stb and the lesson view's font.
RUN_PACKAGES := cmake g++ make pkg-config freeglut3-dev libgl-dev libglu1-mesa-dev \
                libgl1-mesa-dri libx11-dev libpng-dev libgtest-dev libstb-dev fonts-dejavu-core \
                libnlopt-dev
# What `make test` needs besides: benchmarks, Xvfb and xdotool for the window
# tests, clang for the fuzzer, the package tools, the page's compiler and a
# headless Chromium to drive it.
PACKAGES := $(RUN_PACKAGES) libbenchmark-dev xvfb xauth xdotool x11-utils clang \
            libclang-rt-14-dev dpkg-dev desktop-file-utils man-db groff-base locales lintian \
            $(WEB_PACKAGES) chromium chromium-driver python3-selenium python3-pil
# What `make web` needs: Debian's emscripten (it works offline with the
# libraries it ships), the lesson view's glyph baking and font, fontTools to
# cut the font down to the characters the views draw, and CMake and
# dpkg-source to build NLopt from Debian's source package (tools/web_nlopt.sh).
WEB_PACKAGES := emscripten libstb-dev fonts-dejavu-core python3-fonttools cmake dpkg-dev

# The web page: built in WEB_OBJ, written to WEB_OUT (index.html, tocsim.js,
# tocsim.wasm, tocsim.data and nothing else).
WEB_OBJ := build-web-obj
WEB_OUT := build-web
# NLopt built with emscripten for the page, and the folder of its CMake package.
WEB_NLOPT     := $(CURDIR)/$(WEB_OBJ)/nlopt
WEB_NLOPT_DIR := $(WEB_NLOPT)/install/lib/cmake/nlopt
# Emscripten's optimiser needs Debian's acorn, which a Node.js from elsewhere
# does not look for on its own.
WEB_ENV := NODE_PATH=/usr/share/nodejs

SUDO := $(shell [ "$$(id -u)" = 0 ] || echo sudo)

# The build's progress without make's "Entering/Leaving directory" lines: the
# makes that `cmake --build` starts read this from the environment.
MAKEFLAGS += --no-print-directory

# Sanitizer reports are fatal (Mesa's own leaks in window tests are suppressed,
# see tests/CMakeLists.txt).
SAN_ENV := ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1

FUZZ_SECONDS ?= 60

.PHONY: run test fuzz package deps run-deps program build build-san clean web web-serve web-deps

run: run-deps program
	./$(BUILD)/tocsim

# The program alone (tests and benchmarks are not built).
program:
	cmake --preset release >/dev/null
	cmake --build $(BUILD) -j$(JOBS) --target tocsim

test: deps build build-san
	cd $(BUILD) && ctest --output-on-failure -j$(JOBS)
	cd $(SAN_BUILD) && $(SAN_ENV) ctest --output-on-failure -j$(JOBS)

# The console dialogue under libFuzzer (clang, ASan, UBSan) for a bounded time.
fuzz: deps
	bash fuzz/run.sh $(FUZZ_SECONDS)

# The program alone (no tests, no benchmarks), then its package; dpkg-shlibdeps
# (dpkg-dev) turns the linked libraries into the package's dependencies.
package: deps program
	cd $(BUILD) && cpack -G DEB

# The page alone; configured once, then built incrementally. NLopt first
# (built once, see tools/web_nlopt.sh); a build folder configured before it
# was, or without it, is configured again. NLopt_DIR rather than
# CMAKE_PREFIX_PATH: emscripten's toolchain looks for packages below its own
# sysroot only.
web: web-deps
	@$(WEB_ENV) JOBS=$(JOBS) bash tools/web_nlopt.sh $(WEB_NLOPT)
	@grep -qxF 'NLopt_DIR:PATH=$(WEB_NLOPT_DIR)' $(WEB_OBJ)/CMakeCache.txt 2>/dev/null || \
	  $(WEB_ENV) emcmake cmake -S . -B $(WEB_OBJ) \
	  -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF -DTOCSIM_WEB_OUT=$(CURDIR)/$(WEB_OUT) \
	  -DNLopt_DIR:PATH=$(WEB_NLOPT_DIR) >/dev/null
	$(WEB_ENV) cmake --build $(WEB_OBJ) -j$(JOBS) --target tocsim_web

# The page at http://127.0.0.1:8000/ (?lang=en for English).
web-serve: web
	python3 -m http.server 8000 --bind 127.0.0.1 --directory $(WEB_OUT)

web-deps:
	@$(MAKE) deps PACKAGES="$(WEB_PACKAGES)"

run-deps:
	@$(MAKE) deps PACKAGES="$(RUN_PACKAGES)"

deps:
	@missing=""; for p in $(PACKAGES); do \
	  dpkg -s $$p >/dev/null 2>&1 || missing="$$missing $$p"; done; \
	if [ -n "$$missing" ]; then \
	  echo "installing:$$missing"; \
	  $(SUDO) env DEBIAN_FRONTEND=noninteractive apt-get update -qq && \
	  $(SUDO) env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq $$missing >/dev/null; \
	fi

build:
	cmake --preset release >/dev/null
	cmake --build $(BUILD) -j$(JOBS)

build-san:
	cmake --preset asan >/dev/null
	cmake --build $(SAN_BUILD) -j$(JOBS)

clean:
	rm -rf $(BUILD) $(SAN_BUILD) build-fuzz build-bench $(WEB_OBJ) $(WEB_OUT)
