BUILD_DIR ?= build
JOBS ?= $(shell nproc)

.PHONY: run test sanitize-fuzz tsan format format-check deps build

run: build
	$(BUILD_DIR)/app/torvina

test: build
	cd $(BUILD_DIR) && ctest --output-on-failure -j $(JOBS)

# The test suite again under ASan + UBSan + LSan, then every fuzzer briefly (README, "Hostile input").
sanitize-fuzz: deps
	JOBS=$(JOBS) ./scripts/sanitize-and-fuzz.sh

# The test suite again under ThreadSanitizer (README, "Hostile input").
tsan: deps
	JOBS=$(JOBS) ./scripts/thread-sanitize.sh

# Every C++ file as .clang-format lays it out; CI fails on a file that differs.
format-check: deps
	./scripts/check-format.sh

format: deps
	git ls-files '*.cpp' '*.h' | xargs clang-format -i

build: deps
	cmake -S . -B $(BUILD_DIR) -G Ninja
	cmake --build $(BUILD_DIR) -j $(JOBS)

deps:
	./scripts/install-deps.sh
