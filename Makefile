# The everyday commands. Each one installs the Debian packages the build needs when missing.
BUILD_DIR ?= build
ASAN_DIR ?= build-asan
TSAN_DIR ?= build-tsan
JOBS ?= 2
CMAKE_FLAGS ?=
CTEST_FLAGS ?= --output-on-failure -j$(JOBS)

.PHONY: all deps build demo check test sanitize tsan bench install clean

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

# ThreadSanitizer over the tests whose threads share state; not part of check.
tsan: deps
	cmake -S . -B $(TSAN_DIR) -DCMAKE_BUILD_TYPE=Debug -DTAVRIX_SANITIZE=thread -DTAVRIX_BUILD_BENCH=OFF $(CMAKE_FLAGS)
	cmake --build $(TSAN_DIR) -j$(JOBS)
	rm -rf $(TSAN_DIR)/tsan-reports && mkdir -p $(TSAN_DIR)/tsan-reports
	ctest --test-dir $(TSAN_DIR) $(CTEST_FLAGS) -R '$(or $(TSAN_TESTS),.)'
	@if ls $(TSAN_DIR)/tsan-reports/report.* >/dev/null 2>&1; then \
		cat $(TSAN_DIR)/tsan-reports/report.*; echo "ThreadSanitizer reports above"; exit 1; fi

bench: build
	@bash scripts/run-benchmarks.sh $(BUILD_DIR)

install: build
	cmake --install $(BUILD_DIR) --prefix $(or $(PREFIX),/usr/local)

clean:
	rm -rf $(BUILD_DIR) $(ASAN_DIR) $(TSAN_DIR)
