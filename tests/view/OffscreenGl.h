#pragma once
// An OpenGL context with a framebuffer to draw into and read back, for tests
// of what the renderer draws.

#include <QImage>
#include <QOffscreenSurface>
#include <QOpenGLContext>
#include <QOpenGLFramebufferObject>
#include <QSurfaceFormat>

#include <memory>

class OffscreenGl {
public:
    OffscreenGl(int width, int height) {
        QSurfaceFormat format;
        format.setProfile(QSurfaceFormat::CompatibilityProfile);
        format.setVersion(2, 1);
        format.setDepthBufferSize(24);
        format.setStencilBufferSize(8);
        surface_.setFormat(format);
        surface_.create();
        context_.setFormat(format);
        ok_ = context_.create() && context_.makeCurrent(&surface_);
        if (ok_) {
            fbo_ = std::make_unique<QOpenGLFramebufferObject>(width, height,
                                                              QOpenGLFramebufferObject::CombinedDepthStencil);
            ok_ = fbo_->isValid() && fbo_->bind();
        }
    }
    ~OffscreenGl() {
        fbo_.reset();
        context_.doneCurrent();
    }
    bool Ok() const { return ok_; }
    // The picture drawn so far, top row first.
    QImage Image() const { return fbo_->toImage().convertToFormat(QImage::Format_RGB32); }

private:
    QOffscreenSurface surface_;
    QOpenGLContext context_;
    std::unique_ptr<QOpenGLFramebufferObject> fbo_;
    bool ok_ = false;
};
