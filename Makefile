# Two entry points: `make run` and `make test`. Everything else is a helper.
BUILD      ?= build
BUILD_SAN  ?= build-san
BUILD_WIN  ?= build-win
BUILD_FUZZ ?= build-fuzz
# make fuzz: seconds in all, shared by the eleven targets; make test: seconds per target.
FUZZ_SECONDS      ?= 600
FUZZ_TEST_SECONDS ?= 4
JOBS       ?= $(shell nproc)

.PHONY: run test deps build build-san build-fuzz fuzz win-check screenshots bench clean

deps:
	bash scripts/install-deps.sh

$(BUILD)/build.ninja:
	cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo

build: deps $(BUILD)/build.ninja
	cmake --build $(BUILD) -j $(JOBS)

run: build
	$(BUILD)/app/kvr_station

test: build
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)
	$(MAKE) build-san
	cd $(BUILD_SAN) && ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)
	$(MAKE) win-check
	$(MAKE) build-fuzz
	bash fuzz/run.sh $(BUILD_FUZZ) $(FUZZ_TEST_SECONDS)

# Every window of the station rendered offscreen into $(BUILD)/screenshots/png.
screenshots: build
	QT_QPA_PLATFORM=offscreen $(BUILD)/screenshots/kvr_screenshots $(BUILD)/screenshots/png
	@echo "Screenshots in $(BUILD)/screenshots/png"

# The coil drawing's speed (a release build: figures of the optimised code).
bench: build
	QT_QPA_PLATFORM=offscreen $(BUILD)/bench/kvr_bench

build-san: deps
	cmake -S . -B $(BUILD_SAN) -G Ninja -DCMAKE_BUILD_TYPE=Debug -DKVR_SANITIZE=ON
	cmake --build $(BUILD_SAN) -j $(JOBS)

# The fuzz targets (clang, libFuzzer, AddressSanitizer, UndefinedBehaviorSanitizer).
build-fuzz: deps
	cmake -S fuzz -B $(BUILD_FUZZ) -G Ninja -DCMAKE_CXX_COMPILER=clang++
	cmake --build $(BUILD_FUZZ) -j $(JOBS)

# Every fuzz target in turn for FUZZ_SECONDS in all (make fuzz FUZZ_SECONDS=3600).
# The corpus grows in $(BUILD_FUZZ)/corpus/<target>; a crash or a broken
# invariant leaves its input in $(BUILD_FUZZ)/crashes/<target>/.
fuzz: build-fuzz
	bash fuzz/run.sh $(BUILD_FUZZ) $$(( $(FUZZ_SECONDS) / 11 ))

# The Windows platform layer is compiled (not run) with the mingw-w64 cross compiler.
win-check: deps
	cmake -S platform/win32-check -B $(BUILD_WIN) -G Ninja -DCMAKE_TOOLCHAIN_FILE=$(CURDIR)/cmake/mingw-w64.cmake
	cmake --build $(BUILD_WIN)

clean:
	rm -rf $(BUILD) $(BUILD_SAN) $(BUILD_WIN) $(BUILD_FUZZ)
