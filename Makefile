# Quillmoor2: the two commands a new machine needs are `make run` and `make test`.
JOBS ?= $(shell nproc)

.PHONY: all deps native windows test test-native test-windows test-e2e run bench clean

all: native windows

deps:
	@tools/deps.sh

native: deps
	@cmake --preset native >/dev/null
	@cmake --build --preset native -j $(JOBS)

windows: deps
	@cmake --preset windows >/dev/null
	@cmake --build --preset windows -j $(JOBS)

test-native: native
	@ctest --preset native -j $(JOBS)

test-windows: windows
	@xvfb-run -a ctest --preset windows

test-e2e: native windows
	@tools/e2e/native-vs-wine.sh

test: test-native test-windows test-e2e
	@WINEPREFIX=$(CURDIR)/build/wineprefix wineserver -k 2>/dev/null || true
	@echo "make test: every test passed"

run: windows
	@tools/run-demo.sh

bench: deps
	@cmake --preset native-release >/dev/null
	@cmake --build --preset native-release -j $(JOBS)
	@build/native-release/bin/bench_db

clean:
	rm -rf build
