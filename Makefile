# The two commands of README.md: `make run` and `make test`. Both install the
# Debian packages when missing and rebuild only what changed. `make sanitize`
# builds and runs the whole suite under AddressSanitizer and
# UndefinedBehaviorSanitizer in a build folder of its own.
BUILD_DIR ?= build
SANITIZE_DIR ?= build-sanitize
JOBS ?= 2

.PHONY: all deps configure build run test sanitize bench bench-order-list bench-intake bench-responses bench-orders bench-startup bench-research bench-invoice bench-sales fuzz format clean package

all: build

deps:
	@scripts/install-deps

$(BUILD_DIR)/build.ninja:
	cmake -S . -B $(BUILD_DIR) -G Ninja

configure: deps $(BUILD_DIR)/build.ninja

build: configure
	cmake --build $(BUILD_DIR) -j $(JOBS)

run: build
	@scripts/run-workbench $(BUILD_DIR)/app/vendaro $(ARGS)

test: build
	@scripts/run-tests $(BUILD_DIR)

sanitize: deps
	@scripts/run-sanitized-tests $(SANITIZE_DIR) $(JOBS)

bench: build
	@bench/generate-bench $(BUILD_DIR)/app/vendaro
	@bench/intake-bench $(BUILD_DIR)/app/vendaro
	@$(BUILD_DIR)/bench/startup_bench
	@$(BUILD_DIR)/bench/order_list_bench

# A Debian package of the program in $(BUILD_DIR) (needs dpkg-dev).
package: build
	cmake --build $(BUILD_DIR) --target package

# Start-up with 1,000,000 private-history entries (ENTRIES to change it).
bench-startup: build
	@$(BUILD_DIR)/bench/startup_bench $(ENTRIES)

# The order viewer's list on 100,000 orders (ORDERS to change the count).
bench-order-list: build
	@$(BUILD_DIR)/bench/order_list_bench $(ORDERS)

bench-intake: build
	@bench/intake-bench $(BUILD_DIR)/app/vendaro
	@PROTOCOL=imap bench/intake-bench $(BUILD_DIR)/app/vendaro

# The response intake on a private dovecot (MAILS to change the count).
bench-responses: build
	@$(BUILD_DIR)/bench/response_intake_bench $(MAILS)

# `vendaro orders` as text and CSV on 100,000 orders (ORDERS to change the count).
bench-orders: build
	@$(BUILD_DIR)/bench/order_listing_bench $(ORDERS)

# `vendaro invoice` on an order of 20 lines: first run and reprints.
bench-invoice: build
	@bench/invoice-bench $(BUILD_DIR)/app/vendaro

# The sales overview for a year and `vendaro sales --by month` on 100,000
# orders (ORDERS to change the count).
bench-sales: build
	@$(BUILD_DIR)/bench/sales_bench $(or $(ORDERS),100000) $(BUILD_DIR)/app/vendaro

# Keyword search over 1,000 local pages against xargs -P4 curl, and Get links
# on a page of 10,000 links.
bench-research: build
	@bench/research-bench $(BUILD_DIR)

# Runs each fuzz target for FUZZ_SECONDS (default 60) in its own build folder.
fuzz: deps
	@scripts/run-fuzz

format:
	git ls-files '*.cpp' '*.h' | xargs clang-format -i

clean:
	rm -rf $(BUILD_DIR)
