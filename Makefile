BUILD_DIR ?= build
JOBS ?= $(shell nproc)

.PHONY: run test deps build

run: build
	$(BUILD_DIR)/app/torvina

test: build
	cd $(BUILD_DIR) && ctest --output-on-failure -j $(JOBS)

build: deps
	cmake -S . -B $(BUILD_DIR) -G Ninja
	cmake --build $(BUILD_DIR) -j $(JOBS)

deps:
	./scripts/install-deps.sh
