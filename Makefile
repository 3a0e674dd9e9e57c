# make run: install what is missing, build the program and the site, start the site, then the program.
# make site: the site alone, in the foreground (SITE_ARGS: --data DIR, --listen HOST:PORT).
# make test: install what is missing, build, fuzz the file readers for a short while, run every test.
# make install: the program with its data, desktop entry and icon under PREFIX.
BUILD ?= build
JOBS ?= $(shell nproc)
CMAKE_FLAGS ?= -DCMAKE_BUILD_TYPE=RelWithDebInfo

.PHONY: all deps configure build run site test fuzz bench clean format install

all: build

deps:
	@scripts/install-deps.sh

configure: deps
	@cmake -S . -B $(BUILD) $(CMAKE_FLAGS) $(if $(CI),-DZENKOR_WERROR=ON) >/dev/null

build: configure
	@cmake --build $(BUILD) -j $(JOBS)

run: configure
	@cmake --build $(BUILD) -j $(JOBS) --target Zenkor zenkor-site
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

test: build fuzz
	@cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

# make fuzz: the libFuzzer targets, built with clang in their own tree, each run for a bounded time.
FUZZ_BUILD ?= build-fuzz
FUZZ_SECONDS ?= 20
UPLOAD_FUZZ_SECONDS ?= 10
fuzz: deps
	@CXX=clang++ cmake -S . -B $(FUZZ_BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DZENKOR_GUI=OFF -DZENKOR_FUZZ=ON \
		"-DCMAKE_CXX_FLAGS=-fsanitize=fuzzer-no-link,address" >/dev/null
	@cmake --build $(FUZZ_BUILD) --target ini_fuzz upload_fuzz -j $(JOBS)
	@scripts/run-fuzz.sh $(FUZZ_BUILD) $(FUZZ_SECONDS) ini_fuzz
	@scripts/run-fuzz.sh $(FUZZ_BUILD) $(UPLOAD_FUZZ_SECONDS) upload_fuzz

bench: build
	@$(BUILD)/zenkor_bench

format:
	@git ls-files '*.cpp' '*.h' | xargs clang-format -i

clean:
	@rm -rf $(BUILD)
