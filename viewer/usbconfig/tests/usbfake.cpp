// A stand-in for libusb 0.1 at the outside boundary the recorder's exchange crosses, built
// from the real <usb.h> with the same exports. At each usb_init it reads the script named by
// USBFAKE_SCRIPT:
//   device BUS DEV VVVV PPPP   a device (hex ids) on bus BUS, in walk order
//   usb_open none              usb_open gives no handle
//   FUNCTION RESULT            the named function returns RESULT
//   answer FILE                the bytes a read puts in the buffer (also when it then fails)
// Each call and its arguments, with the written bytes in hex, are appended to USBFAKE_LOG.

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <list>
#include <map>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include <usb.h>

struct usb_dev_handle {
    struct usb_device* device;
};

namespace {

struct Fake {
    std::list<usb_bus> buses;
    std::list<struct usb_device> devices;
    std::list<usb_dev_handle> handles;
    std::map<std::string, int> forced;
    bool openGivesNone = false;
    std::vector<char> answer;
};

Fake& TheFake() {
    static Fake fake;
    return fake;
}

void Log(const std::string& line) {
    const char* path = std::getenv("USBFAKE_LOG");
    if (!path) return;
    if (std::FILE* file = std::fopen(path, "a")) {
        std::fprintf(file, "%s\n", line.c_str());
        std::fclose(file);
    }
}

int Result(const char* function, int otherwise) {
    const auto it = TheFake().forced.find(function);
    return it == TheFake().forced.end() ? otherwise : it->second;
}

usb_bus& BusNamed(const std::string& name) {
    Fake& fake = TheFake();
    for (usb_bus& bus : fake.buses)
        if (name == bus.dirname) return bus;
    usb_bus& bus = fake.buses.emplace_back();
    std::snprintf(bus.dirname, sizeof bus.dirname, "%s", name.c_str());
    if (fake.buses.size() > 1) {
        usb_bus& before = *std::prev(fake.buses.end(), 2);
        before.next = &bus;
        bus.prev = &before;
    }
    return bus;
}

void AddDevice(const std::string& busName, const std::string& deviceName, unsigned vendor,
               unsigned product) {
    usb_bus& bus = BusNamed(busName);
    struct usb_device& device = TheFake().devices.emplace_back();
    std::snprintf(device.filename, sizeof device.filename, "%s", deviceName.c_str());
    device.bus = &bus;
    device.descriptor.idVendor = static_cast<std::uint16_t>(vendor);
    device.descriptor.idProduct = static_cast<std::uint16_t>(product);
    struct usb_device** link = &bus.devices;
    struct usb_device* last = nullptr;
    while (*link) {
        last = *link;
        link = &(*link)->next;
    }
    *link = &device;
    device.prev = last;
}

void ReadScript() {
    TheFake() = Fake{};
    const char* path = std::getenv("USBFAKE_SCRIPT");
    if (!path) return;
    std::ifstream script(path);
    std::string line;
    while (std::getline(script, line)) {
        std::istringstream words(line);
        std::string first, second;
        if (!(words >> first >> second)) continue;
        if (first == "device") {
            std::string device, vendor, product;
            if (words >> device >> vendor >> product)
                AddDevice(second, device, std::stoul(vendor, nullptr, 16), std::stoul(product, nullptr, 16));
        } else if (first == "answer") {
            std::ifstream file(second, std::ios::binary);
            TheFake().answer.assign(std::istreambuf_iterator<char>(file), {});
        } else if (first == "usb_open" && second == "none") {
            TheFake().openGivesNone = true;
        } else {
            TheFake().forced[first] = std::stoi(second);
        }
    }
}

std::string Name(const usb_dev_handle* handle) {
    if (!handle) return "none";
    return std::string(handle->device->bus->dirname) + "/" + handle->device->filename;
}

std::string Hex(const char* bytes, int size) {
    std::string text;
    char pair[3];
    for (int i = 0; i < size; ++i) {
        std::snprintf(pair, sizeof pair, "%02x", static_cast<unsigned char>(bytes[i]));
        text += pair;
    }
    return text;
}

} // namespace

extern "C" {

void usb_init(void) {
    ReadScript();
    Log("usb_init");
}

int usb_find_busses(void) {
    Log("usb_find_busses");
    return Result("usb_find_busses", static_cast<int>(TheFake().buses.size()));
}

int usb_find_devices(void) {
    Log("usb_find_devices");
    return Result("usb_find_devices", static_cast<int>(TheFake().devices.size()));
}

struct usb_bus* usb_get_busses(void) {
    Log("usb_get_busses");
    return TheFake().buses.empty() ? nullptr : &TheFake().buses.front();
}

usb_dev_handle* usb_open(struct usb_device* dev) {
    Log("usb_open " + std::string(dev->bus->dirname) + "/" + dev->filename);
    if (TheFake().openGivesNone) return nullptr;
    return &TheFake().handles.emplace_back(usb_dev_handle{dev});
}

int usb_set_configuration(usb_dev_handle* dev, int configuration) {
    Log("usb_set_configuration " + Name(dev) + " " + std::to_string(configuration));
    return Result("usb_set_configuration", 0);
}

int usb_claim_interface(usb_dev_handle* dev, int interface) {
    Log("usb_claim_interface " + Name(dev) + " " + std::to_string(interface));
    return Result("usb_claim_interface", 0);
}

int usb_bulk_write(usb_dev_handle* dev, int ep, const char* bytes, int size, int timeout) {
    Log("usb_bulk_write " + Name(dev) + " " + std::to_string(ep) + " " + std::to_string(size) + " " +
        std::to_string(timeout) + " " + Hex(bytes, size));
    return Result("usb_bulk_write", size);
}

#ifndef USBFAKE_WITHOUT_BULK_READ
int usb_bulk_read(usb_dev_handle* dev, int ep, char* bytes, int size, int timeout) {
    Log("usb_bulk_read " + Name(dev) + " " + std::to_string(ep) + " " + std::to_string(size) + " " +
        std::to_string(timeout));
    const std::vector<char>& answer = TheFake().answer;
    const int delivered = std::min(size, static_cast<int>(answer.size()));
    if (delivered > 0) std::memcpy(bytes, answer.data(), static_cast<std::size_t>(delivered));
    return Result("usb_bulk_read", delivered);
}
#endif

int usb_release_interface(usb_dev_handle* dev, int interface) {
    Log("usb_release_interface " + Name(dev) + " " + std::to_string(interface));
    return Result("usb_release_interface", 0);
}

int usb_close(usb_dev_handle* dev) {
    Log("usb_close " + Name(dev));
    return Result("usb_close", 0);
}

} // extern "C"
