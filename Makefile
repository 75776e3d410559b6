# The two commands of the README:
#   make run   – install what is needed, build, create the demo data directory, start
#   make test  – install what is needed, build, run every test (also under sanitizers)
# and one more:
#   make package – build the Debian package $(BUILD_DIR)/zeb-mo_<version>_<arch>.deb

BUILD_DIR    ?= build
SANITIZE_DIR ?= build-sanitize
FUZZ_DIR     ?= build-fuzz
FUZZ_SECONDS ?= 60
FIXTURES_DIR ?= ../shared/paradox-fixtures
DEMO_DIR     ?= demo-data
JOBS         ?= $(shell nproc)
GENERATOR    := $(shell command -v ninja >/dev/null 2>&1 && echo "-G Ninja")

.PHONY: deps build build-sanitize run test test-plain test-sanitize bench package fuzz clean

deps:
	bash scripts/install-deps.sh

build: deps
	cmake -S . -B $(BUILD_DIR) $(GENERATOR) -DCMAKE_BUILD_TYPE=RelWithDebInfo
	cmake --build $(BUILD_DIR) -j $(JOBS)

build-sanitize: deps
	cmake -S . -B $(SANITIZE_DIR) $(GENERATOR) -DCMAKE_BUILD_TYPE=Debug -DZEB_SANITIZE=ON
	cmake --build $(SANITIZE_DIR) -j $(JOBS)

$(DEMO_DIR)/zeb.sqlite:
	$(BUILD_DIR)/bin/zeb-mo-init $(DEMO_DIR) --demo

run: build $(DEMO_DIR)/zeb.sqlite
	@if [ -x $(BUILD_DIR)/bin/zeb-mo ]; then \
		cd $(DEMO_DIR) && ../$(BUILD_DIR)/bin/zeb-mo; \
	else \
		$(BUILD_DIR)/bin/zeb-mo-init --summary $(DEMO_DIR); \
	fi

test-plain: build
	cd $(BUILD_DIR) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

test-sanitize: build-sanitize
	cd $(SANITIZE_DIR) && QT_QPA_PLATFORM=offscreen \
		ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 \
		LSAN_OPTIONS=suppressions=$(CURDIR)/tests/lsan.supp:print_suppressions=0 \
		UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
		ctest --output-on-failure -j $(JOBS)

# The plain run comes last, so its summary closes the output.
test: test-sanitize test-plain

bench: build
	$(BUILD_DIR)/bin/zeb-mo-bench

package: build
	cd $(BUILD_DIR) && cpack -G DEB

# Fuzzes the Paradox reader for FUZZ_SECONDS on one core; not part of `make test`. The real
# tables beside the repository seed the corpus, each with its memo file after "@@MB@@".
fuzz: deps
	@command -v clang++ >/dev/null && dpkg-query -W libclang-rt-14-dev >/dev/null 2>&1 || \
		{ sudo_cmd=$$( [ "$$(id -u)" -ne 0 ] && echo sudo ); \
		  $$sudo_cmd apt-get install -y clang libclang-rt-14-dev; }
	CC=clang CXX=clang++ cmake -S . -B $(FUZZ_DIR) $(GENERATOR) \
		-DCMAKE_BUILD_TYPE=RelWithDebInfo -DZEB_FUZZ=ON
	cmake --build $(FUZZ_DIR) -j $(JOBS) --target paradox_fuzzer
	mkdir -p $(FUZZ_DIR)/corpus $(FUZZ_DIR)/crashes
	@if [ -d $(FIXTURES_DIR) ]; then \
		for db in $$(find $(FIXTURES_DIR) -iname '*.db'); do \
			mb=$$(ls "$${db%.*}".[mM][bB] 2>/dev/null | head -1); \
			{ cat "$$db"; if [ -n "$$mb" ]; then printf '@@MB@@'; cat "$$mb"; fi; } \
				> $(FUZZ_DIR)/corpus/seed-$$(basename "$$db"); \
		done; \
	fi
	cd $(FUZZ_DIR) && ./bin/paradox_fuzzer -jobs=1 -workers=1 \
		-max_total_time=$(FUZZ_SECONDS) -artifact_prefix=crashes/ corpus

clean:
	rm -rf $(BUILD_DIR) $(SANITIZE_DIR) $(FUZZ_DIR)
