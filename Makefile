# The everyday commands. Each one installs the Debian packages the build needs when missing.
BUILD_DIR ?= build
ASAN_DIR ?= build-asan
FUZZ_DIR ?= build-fuzz
TSAN_DIR ?= build-tsan
FUZZ_SECONDS ?= 60
JOBS ?= 2
CMAKE_FLAGS ?=
CTEST_FLAGS ?= --output-on-failure -j$(JOBS)

.PHONY: all deps build demo check test sanitize fuzz tsan bench install clean

all: build

deps:
	@bash scripts/install-deps.sh

$(BUILD_DIR)/CMakeCache.txt: | deps
	cmake -S . -B $(BUILD_DIR) -DCMAKE_BUILD_TYPE=RelWithDebInfo $(CMAKE_FLAGS)

build: deps $(BUILD_DIR)/CMakeCache.txt
	cmake --build $(BUILD_DIR) -j$(JOBS)

# Starts the sample product; without a display it runs under a virtual X server.
demo: build
	@if [ -n "$$DISPLAY" ] || [ -n "$$WAYLAND_DISPLAY" ] || [ -n "$$QT_QPA_PLATFORM" ]; then \
		$(BUILD_DIR)/bin/tavrix-demo $(DEMO_ARGS); \
	else \
		xvfb-run -a -s "-screen 0 1280x1024x24" $(BUILD_DIR)/bin/tavrix-demo $(DEMO_ARGS); \
	fi

test: build
	ctest --test-dir $(BUILD_DIR) $(CTEST_FLAGS)

sanitize: deps
	cmake -S . -B $(ASAN_DIR) -DCMAKE_BUILD_TYPE=Debug -DTAVRIX_SANITIZE=ON -DTAVRIX_BUILD_BENCH=OFF $(CMAKE_FLAGS)
	cmake --build $(ASAN_DIR) -j$(JOBS)
	ctest --test-dir $(ASAN_DIR) $(CTEST_FLAGS)

check: test sanitize

# The fuzz targets as libFuzzer programs (clang, AddressSanitizer, UndefinedBehaviorSanitizer),
# each run for FUZZ_SECONDS; fails on a crash, a leak, a timeout or a failed property.
fuzz: deps
	cmake -S . -B $(FUZZ_DIR) -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo \
		-DTAVRIX_SANITIZE=ON -DTAVRIX_FUZZ=ON -DTAVRIX_BUILD_TESTS=OFF -DTAVRIX_BUILD_BENCH=OFF \
		-DTAVRIX_BUILD_DEMO=OFF $(CMAKE_FLAGS)
	cmake --build $(FUZZ_DIR) -j$(JOBS)
	bash scripts/run-fuzz.sh $(FUZZ_DIR) $(FUZZ_SECONDS)

# Every test under ThreadSanitizer (TSAN_TESTS narrows them); not part of check. The reports of
# the helper processes go to files too, and any report fails the run.
tsan: deps
	cmake -S . -B $(TSAN_DIR) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTAVRIX_SANITIZE=thread \
		-DTAVRIX_BUILD_BENCH=OFF $(CMAKE_FLAGS)
	cmake --build $(TSAN_DIR) -j$(JOBS)
	rm -rf $(TSAN_DIR)/tsan-reports && mkdir -p $(TSAN_DIR)/tsan-reports
	@status=0; ctest --test-dir $(TSAN_DIR) $(CTEST_FLAGS) -R '$(or $(TSAN_TESTS),.)' || status=1; \
	if ls $(TSAN_DIR)/tsan-reports/report.* >/dev/null 2>&1; then \
		cat $(TSAN_DIR)/tsan-reports/report.*; echo "ThreadSanitizer reports above"; status=1; fi; \
	exit $$status

bench: build
	@bash scripts/run-benchmarks.sh $(BUILD_DIR)

install: build
	cmake --install $(BUILD_DIR) --prefix $(or $(PREFIX),/usr/local)

clean:
	rm -rf $(BUILD_DIR) $(ASAN_DIR) $(FUZZ_DIR) $(TSAN_DIR)
