# Quillmoor2: the two commands a new machine needs are `make run` and `make test`.
JOBS ?= $(shell nproc)
# T names Windows test programs for test-windows, E2E end-to-end scripts
# (tools/e2e/NAME.sh) for test-e2e: `make test-windows T="test_app test_launch"`.
T ?=
E2E ?=
empty :=
space := $(empty) $(empty)

.PHONY: all deps native windows release check test test-native test-windows test-e2e test-release dist run bench bench-crc bench-register bench-recompute bench-dat bench-sync bench-window bench-search-wine bench-cli-search bench-million-native bench-million clean

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
	@ctest --preset native -j $(JOBS) -LE program

# A test program that fails is run once more: under Wine a program now and
# then ends at start, before any test, with no output (seen once in 13). A
# test that fails twice fails the target.
test-windows: windows
	@xvfb-run -a ctest --preset windows --repeat until-pass:2 $(if $(strip $(T)),-R '^($(subst $(space),|,$(strip $(T))))($$|\.)')

# Two scripts at a time, each on its own virtual display and Wine prefix;
# each script's output is printed whole when it ends (tools/e2e/run.py).
test-e2e: native windows
	@$(if $(strip $(E2E)),$(if $(filter dist,$(E2E)),$(MAKE) --no-print-directory dist,true),$(MAKE) --no-print-directory dist)
	@tools/e2e/run.py $(E2E)

# The quick loop: the native build, its tests (each program in a few shards,
# not a process per case) and the include rule; nothing of Windows or Wine.
# Needs the packages of tools/deps.sh in place.
check:
	@cmake --preset native >/dev/null
	@cmake --build --preset native -j $(JOBS)
	@ctest --preset native -j $(JOBS) -LE case --output-on-failure
	@python3 tools/check-includes.py .

# Each step on its own, timed: the builds and the test runs are printed apart.
test:
	@tools/timed-steps.sh deps native test-native release test-release windows test-windows test-e2e
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
	@build/native-release/bin/bench_dat

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

# The library at a million items, natively: registration of 20,000 and of
# 200,000 files against `7z h`, then CSV export, vacuum and the start-up
# clean-up at 100,000 and 1,000,000 items beside the sqlite3 shell.
# The real program under Wine on 0, 100,000 and 1,000,000 generated items
# (start-up, memory, every search mode, sorts, group clicks), then the item
# list's and the searches' own statements natively on the same million.
bench-million: native windows
	@cmake --preset native-release >/dev/null
	@cmake --build --preset native-release -j $(JOBS) --target bench_list_fill bench_search
	@bench/million-wine.sh; status=$$?; \
	  build/native-release/bin/bench_list_fill build/bench-million/1000000/library/Quillmoor.db && \
	  build/native-release/bin/bench_search build/bench-million/1000000/library/Quillmoor.db && exit $$status

bench-million-native: deps
	@cmake --preset native-release >/dev/null
	@cmake --build --preset native-release -j $(JOBS) --target bench_register quillmoor-cli
	@build/native-release/bin/bench_register
	@bench/million-native.sh

# CRC recomputation of the same tree through quillmoor-cli against `7z h`.
bench-recompute: deps
	@cmake --preset native-release >/dev/null
	@cmake --build --preset native-release -j $(JOBS) --target bench_recompute quillmoor-cli Quillmoor2_GetCRC
	@build/native-release/bin/bench_recompute

bench-dat: deps
	@cmake --preset native-release >/dev/null
	@cmake --build --preset native-release -j $(JOBS) --target bench_dat datfile
	@build/native-release/bin/bench_dat

# Folder sync of a registered 100,000-file tree against `find -printf`, and
# with 10,000 files moved.
bench-sync: deps
	@cmake --preset native-release >/dev/null
	@cmake --build --preset native-release -j $(JOBS) --target bench_sync quillmoor-cli
	@build/native-release/bin/bench_sync

clean:
	rm -rf build
