# Quillmoor2: the two commands a new machine needs are `make run` and `make test`.
JOBS ?= $(shell nproc)

.PHONY: all deps native windows release test test-native test-windows test-e2e test-release dist run bench bench-crc bench-register bench-recompute bench-window bench-search-wine bench-cli-search clean

all: native windows

deps:
	@tools/deps.sh

native: deps
	@cmake --preset native >/dev/null
	@cmake --build --preset native -j $(JOBS)

windows: deps
	@cmake --preset windows >/dev/null
	@cmake --build --preset windows -j $(JOBS)

# quillmoor-cli and the two shared libraries optimised and without sanitizers,
# for use outside the tests (any program may load the libraries, Python's
# ctypes for one), in build/native-release/bin.
release: deps
	@cmake --preset native-release >/dev/null
	@cmake --build --preset native-release -j $(JOBS) --target quillmoor-cli Quillmoor2_GetCRC Quillmoor2_Lib

# The release archive build/dist/Quillmoor2-<version>.zip: the Windows program
# folder as a user unpacks and runs it.
dist: windows
	@tools/make-dist.sh build/windows/bin build/dist

test-release: release
	@python3 tools/check-release.py build/native-release/bin

test-native: native
	@ctest --preset native -j $(JOBS)

test-windows: windows
	@xvfb-run -a ctest --preset windows

test-e2e: native windows
	@tools/e2e/native-vs-wine.sh
	@xvfb-run -a -s "-screen 0 1024x768x24" tools/e2e/main-window.sh
	@xvfb-run -a -s "-screen 0 1024x768x24" tools/e2e/main-window-layout.sh
	@xvfb-run -a -s "-screen 0 1024x768x24" tools/e2e/maintenance.sh
	@xvfb-run -a -s "-screen 0 1024x768x24" tools/e2e/master-tables.sh
	@xvfb-run -a -s "-screen 0 1024x768x24" tools/e2e/registration.sh
	@xvfb-run -a -s "-screen 0 1024x768x24" tools/e2e/keys-web.sh
	@xvfb-run -a -s "-screen 0 1024x768x24" tools/e2e/menus.sh
	@xvfb-run -a -s "-screen 0 1024x768x24" tools/e2e/records.sh
	@xvfb-run -a -s "-screen 0 1024x768x24" tools/e2e/keyscap.sh
	@xvfb-run -a -s "-screen 0 1024x768x24" tools/e2e/joystick.sh
	@xvfb-run -a -s "-screen 0 1024x768x24" tools/e2e/launch.sh
	@xvfb-run -a -s "-screen 0 1024x768x24" tools/e2e/rewrite.sh
	@xvfb-run -a -s "-screen 0 1024x768x24" tools/e2e/search.sh
	@xvfb-run -a -s "-screen 0 1024x768x24" tools/e2e/query-tree.sh
	@xvfb-run -a -s "-screen 0 1024x768x24" tools/e2e/renamedata.sh
	@xvfb-run -a -s "-screen 0 1024x768x24" tools/e2e/exchange.sh
	@xvfb-run -a -s "-screen 0 1024x768x24" tools/e2e/moves.sh
	@xvfb-run -a -s "-screen 0 1024x768x24" tools/e2e/pictures.sh
	@$(MAKE) --no-print-directory dist
	@xvfb-run -a -s "-screen 0 1024x768x24" tools/e2e/dist.sh

test: test-native test-release test-windows test-e2e
	@WINEPREFIX=$(CURDIR)/build/wineprefix wineserver -k 2>/dev/null || true
	@echo "make test: every test passed"

run: windows
	@tools/run-demo.sh

bench: deps
	@cmake --preset native-release >/dev/null
	@cmake --build --preset native-release -j $(JOBS)
	@build/native-release/bin/bench_db
	@build/native-release/bin/bench_maintenance
	@build/native-release/bin/bench_moves
	@build/native-release/bin/bench_archive
	@build/native-release/bin/bench_list_fill
	@build/native-release/bin/bench_launch
	@build/native-release/bin/bench_search
	@build/native-release/bin/bench_snapshot_lookup
	@build/native-release/bin/bench_bulk_change
	@build/native-release/bin/bench_csv

# The main window under Wine on a 100,000-item library: first fill, re-sort,
# group click and memory against their targets.
bench-window: native windows
	@bench/main-window.sh

# Every search mode of the real search bar under Wine on a 100,000-item
# library: Enter to the repainted list against its target.
bench-search-wine: native windows
	@bench/search-wine.sh

# A one-shot quillmoor-cli search on a 100,000-item library against the
# sqlite3 shell's bare statement of the same search.
bench-cli-search: deps
	@cmake --preset native-release >/dev/null
	@cmake --build --preset native-release -j $(JOBS) --target quillmoor-cli
	@bench/cli-search.sh

# CRC-32 and CRC-16 against cksum and 7z on a 1 GiB file in the page cache.
bench-crc: deps
	@cmake --preset native-release >/dev/null
	@cmake --build --preset native-release -j $(JOBS) --target bench_crc quillmoor-cli
	@build/native-release/bin/bench_crc

bench-register: deps
	@cmake --preset native-release >/dev/null
	@cmake --build --preset native-release -j $(JOBS) --target bench_register quillmoor-cli
	@build/native-release/bin/bench_register

# CRC recomputation of the same tree through quillmoor-cli against `7z h`.
bench-recompute: deps
	@cmake --preset native-release >/dev/null
	@cmake --build --preset native-release -j $(JOBS) --target bench_recompute quillmoor-cli Quillmoor2_GetCRC
	@build/native-release/bin/bench_recompute

clean:
	rm -rf build
