# The two commands of the README:
#   make run   – install what is needed, build, create the demo data directory, start
#   make test  – install what is needed, build, run every test (also under sanitizers)
# and one more:
#   make package – build the Debian package $(BUILD_DIR)/zeb-mo_<version>_<arch>.deb

BUILD_DIR    ?= build
SANITIZE_DIR ?= build-sanitize
DEMO_DIR     ?= demo-data
JOBS         ?= $(shell nproc)
GENERATOR    := $(shell command -v ninja >/dev/null 2>&1 && echo "-G Ninja")

.PHONY: deps build build-sanitize run test test-plain test-sanitize bench package clean

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

clean:
	rm -rf $(BUILD_DIR) $(SANITIZE_DIR)
