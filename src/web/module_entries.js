// What both pages share with their WebAssembly module (the web player's, the studio's): its entry
// points take each input as a (pointer, size) pair in memory taken with malloc, then numbers, and
// leave their result in one output buffer (PREFIXoutput, _size, _type); and the module's bytes come
// in base64 from a data block of the page.
class FenokEntries {
  constructor(module, prefix) {
    this.m = module;
    this.prefix = '_' + prefix;
    this.encoder = new TextEncoder();
    this.decoder = new TextDecoder();
  }
  // Calls the entry point with each input (text or bytes) as a (pointer, size) pair, then the numbers.
  call(name, inputs, ...rest) {
    const pointers = inputs.map((input) => {
      const bytes = typeof input === 'string' ? this.encoder.encode(input) : input;
      const pointer = this.m._malloc(Math.max(bytes.length, 1));
      this.m.HEAPU8.set(bytes, pointer);
      return [pointer, bytes.length];
    });
    try {
      return this.m[this.prefix + name](...pointers.flat(), ...rest);
    } finally {
      for (const [pointer] of pointers) this.m._free(pointer);
    }
  }
  bytes() {
    const start = this.m[this.prefix + 'output']();
    return this.m.HEAPU8.slice(start, start + this.m[this.prefix + 'output_size']());
  }
  type() {
    const heap = this.m.HEAPU8;
    let end = this.m[this.prefix + 'output_type']();
    const start = end;
    while (heap[end]) ++end;
    return this.decoder.decode(heap.subarray(start, end));
  }
  text() { return this.decoder.decode(this.bytes()); }
  json() { return JSON.parse(this.text()); }
}

function fenokBase64Bytes(text) {
  const binary = atob(text.replace(/\s+/g, ''));
  const bytes = new Uint8Array(binary.length);
  for (let i = 0; i < binary.length; ++i) bytes[i] = binary.charCodeAt(i);
  return bytes;
}
