#pragma once

// Growable zero-terminated string of single-byte characters. The buffer always holds a
// terminated text (while it exists), so cstr() can go straight to C-style interfaces and
// str() can be written in place, followed by UpdatePos().
class cString {
public:
    cString(const char* s, const unsigned int& capacity);
    ~cString();
    cString(const cString&) = delete;
    cString& operator=(const cString&) = delete;

    void operator=(const char* s);
    void operator+=(const char* s);
    bool operator==(const char* s) const;
    bool operator!=(const char* s) const;
    char& operator[](const unsigned int& i);

    void add(const char& c);
    void push_front(const char& c);
    void push_front(const char* s);
    void clear();
    void trim();
    void zero();
    bool newmem();
    void up();
    void UpdatePos();

    const char* cstr() const { return buf; }
    char* str() { return buf; }
    const unsigned int& len() const { return pos; }
    unsigned GetSize() const { return pos; }
    // Characters that fit without growing, terminator not counted.
    unsigned capacity() const { return size; }

private:
    char* buf;
    char* spare;
    unsigned int size;
    unsigned int pos;
};
