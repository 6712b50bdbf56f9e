# Set-up and everyday commands. `make run` and `make test` install what is
# missing from Debian's packages first, so a fresh machine needs nothing else.

PREFIX ?= $(HOME)/.local
JOBS ?= $(shell nproc)
BUILD := build
ASAN_BUILD := build-asan
FUZZ_BUILD := build-fuzz

.PHONY: deps build build-asan run test test-release test-asan test-fuzz bench install clean

deps:
	@bash scripts/install-deps.sh

build: deps
	@cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
	@cmake --build $(BUILD) -j$(JOBS)

build-asan: deps
	@cmake -S . -B $(ASAN_BUILD) -DCMAKE_BUILD_TYPE=Debug -DVUSK_SANITIZE=ON >/dev/null
	@cmake --build $(ASAN_BUILD) -j$(JOBS)

run: build
	./$(BUILD)/vusk

test-release: build
	cd $(BUILD) && ctest --output-on-failure --timeout 600 -j$(JOBS)

test-asan: build-asan
	cd $(ASAN_BUILD) && ASAN_OPTIONS=detect_leaks=1 LSAN_OPTIONS=suppressions=$(CURDIR)/tests/lsan.supp ctest --output-on-failure --timeout 600 -j$(JOBS) -LE realwindow

# The MIDI file reader under libFuzzer (clang) for a fixed number of inputs.
test-fuzz: deps
	@CC=clang CXX=clang++ cmake -S . -B $(FUZZ_BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVUSK_FUZZ=ON >/dev/null
	@cmake --build $(FUZZ_BUILD) -j$(JOBS) --target smf_reader_fuzz
	cd $(FUZZ_BUILD) && ctest -L fuzz --output-on-failure

test: test-release test-asan test-fuzz

bench: build
	@bash bench/run.sh $(BUILD)

install: build
	@bash scripts/install.sh $(BUILD) $(PREFIX)

clean:
	rm -rf $(BUILD) $(ASAN_BUILD) $(FUZZ_BUILD)
