# make run: install what is missing, build the program and the site, start the site, then the program.
# make site: the site alone, in the foreground (SITE_ARGS: --data DIR, --listen HOST:PORT).
# make test: install what is missing, build, check the format, run every test, fuzz the file readers for a
#   short while, run the headless tests again under AddressSanitizer and UndefinedBehaviorSanitizer.
# make check: the inner loop: build, check the format, run every test (no sanitizers, no fuzzing).
# make install: the program with its data, desktop entry and icon under PREFIX.
BUILD ?= build
JOBS ?= $(shell nproc)
CMAKE_FLAGS ?= -DCMAKE_BUILD_TYPE=RelWithDebInfo

.PHONY: all deps configure build run site check test sanitize fuzz san-configure bench clean format format-check install

all: build

deps:
	@scripts/install-deps.sh

configure: deps
	@cmake -S . -B $(BUILD) $(CMAKE_FLAGS) $(if $(CI),-DZENKOR_WERROR=ON) >/dev/null

build: configure
	@cmake --build $(BUILD) -j $(JOBS)

run: configure
	@cmake --build $(BUILD) -j $(JOBS) --target zenkor_run
	@scripts/run-with-site.sh $(BUILD)

# make install: the program, its data, desktop entry and icon under PREFIX (DESTDIR for packaging).
PREFIX ?= /usr/local
install: configure
	@cmake --build $(BUILD) -j $(JOBS) --target Zenkor
	@cmake --install $(BUILD) --prefix $(PREFIX)

SITE_ARGS ?=
site: configure
	@cmake --build $(BUILD) -j $(JOBS) --target zenkor-site
	@$(BUILD)/zenkor-site $(SITE_ARGS)

check: build format-check
	@cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

test: check fuzz sanitize

# One clang tree, without the window, serves the sanitizer run and the libFuzzer targets: every library
# is compiled with AddressSanitizer, UndefinedBehaviorSanitizer (any finding fails) and fuzzer coverage.
SAN_BUILD ?= build-san
FUZZ_SECONDS ?= 20
UPLOAD_FUZZ_SECONDS ?= 10
san-configure: deps
	@CXX=clang++ cmake -S . -B $(SAN_BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DZENKOR_GUI=OFF -DZENKOR_FUZZ=ON \
		$(if $(CI),-DZENKOR_WERROR=ON) \
		"-DCMAKE_CXX_FLAGS=-fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=undefined" >/dev/null

sanitize: san-configure
	@cmake --build $(SAN_BUILD) -j $(JOBS)
	@cd $(SAN_BUILD) && UBSAN_OPTIONS=print_stacktrace=1 ctest --output-on-failure -j $(JOBS)

fuzz: san-configure
	@cmake --build $(SAN_BUILD) --target ini_fuzz upload_fuzz -j $(JOBS)
	@scripts/run-fuzz.sh $(SAN_BUILD) $(FUZZ_SECONDS) ini_fuzz
	@scripts/run-fuzz.sh $(SAN_BUILD) $(UPLOAD_FUZZ_SECONDS) upload_fuzz

bench: build
	@$(BUILD)/zenkor_bench

format:
	@git ls-files '*.cpp' '*.h' | xargs clang-format -i

format-check:
	@git ls-files '*.cpp' '*.h' | xargs clang-format --dry-run --Werror
	@scripts/check_includes.py

clean:
	@rm -rf $(BUILD) $(SAN_BUILD)
